"""The copies of the tree the mutants are planted in, and their builds.

A run never touches the checkout: it works on copies under build/mutate/<mode>/tree (and
tree-2, ... for more workers), kept between runs so that a second run builds only what
changed. A run that is interrupted leaves at most a copy changed, and the next run puts the
copy right before it starts.

Native mode mutates the program's own .cpp files that the native test program compiles, read
from the build (ninja's inputs of melodex_tests), in a Debug build with the sanitizers. Win32
mode mutates those under src/platform/win32 and src/ui/win32 that the Windows test programs
compile, in a GCC mingw Release build.
"""

import contextlib
import json
import os
import re
import shutil

from . import ROOT, Failure
from .shell import output, run

# Top-level folders of the checkout that are not source: build output, packages, VCS data.
SKIPPED_TOP = re.compile(r"^(build.*|out|dist|\.git)$")
# The CTest tests that stage 1 leaves out: the end-to-end walk (stage 2) and the sessions.
STAGE1_EXCLUDE = re.compile(r"^(e2e|wine_session)")


class WorkCopy:
    """One copy of the tree with its build: a worker of the run."""

    def __init__(self, win32, jobs, index=0):
        self.win32 = win32
        self.jobs = jobs
        self.work = os.path.join(ROOT, "build", "mutate", "win32" if win32 else "native")
        suffix = f"-{index + 1}" if index else ""
        self.tree = os.path.join(self.work, "tree" + suffix)
        self.build = os.path.join(self.tree, "build", "windows" if win32 else "native")
        self.log = os.path.join(self.work, f"last-run{suffix}.log")

    def prepare(self):
        """A fresh log, the tree the same as the checkout, the build configured."""
        os.makedirs(self.work, exist_ok=True)
        with open(self.log, "wb"):
            pass
        sync(ROOT, self.tree)
        self.configure()

    def configure(self):
        cmd = [os.path.join(self.tree, "scripts", "configure.sh"), "-S", self.tree, "-B",
               self.build, "-G", "Ninja", "-DMELODEX_WERROR=OFF", "--no-warn-unused-cli"]
        if self.win32:
            cmd += ["-DCMAKE_BUILD_TYPE=Release", "-DMELODEX_BENCHMARKS=OFF",
                    "-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake"]
        else:
            # Debug with the sanitizers, as build/native, but without debug information and
            # linked by lld where there is one: a mutant then builds in about half the time.
            cmd += ["-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG="]
            if shutil.which("ld.lld"):
                cmd += ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"]
        with open(self.log, "ab") as log:
            if run(cmd, cwd=self.tree, stdout=log, stderr=log) != 0:
                raise Failure(f"configuring the copy's build failed (see {self.log})")

    def compile(self, timeout=None):
        """Whether the copy builds (in time)."""
        target = [] if self.win32 else ["--target", "melodex_tests"]
        with open(self.log, "ab") as log:
            status = run(["cmake", "--build", self.build, "-j", str(self.jobs)] + target,
                         timeout=timeout, stdout=log, stderr=log)
        return status == 0

    @contextlib.contextmanager
    def planted(self, mutant):
        """The mutant in the copy's file while the block runs; the file as it was after."""
        path = os.path.join(self.tree, mutant.file)
        with open(path, encoding="utf-8") as f:
            original = f.read()
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original[: mutant.start] + mutant.replacement + original[mutant.end :])
            yield
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)

    def candidates(self):
        """The project's .cpp files that the tested programs compile, from the build."""
        if self.win32:
            targets = self.windows_test_programs()
            wanted = ("src/platform/win32/", "src/ui/win32/")
        else:
            targets = ["tests/melodex_tests"]
            wanted = ("src/",)
        files = set()
        for target in targets:
            inputs = output(["ninja", "-C", self.build, "-t", "inputs", target],
                            f"reading the inputs of {target} from the copy's build")
            for path in inputs.split():
                full = path if os.path.isabs(path) else os.path.join(self.build, path)
                rel = os.path.relpath(os.path.realpath(full), os.path.realpath(self.tree))
                if rel.endswith(".cpp") and rel.startswith(wanted):
                    files.add(rel)
        return sorted(files)

    def windows_test_programs(self):
        """The programs of stage 1's CTest tests, as build paths."""
        listing = output(["ctest", "--test-dir", self.build, "--show-only=json-v1"],
                         "listing the copy's tests")
        programs = set()
        for test in json.loads(listing)["tests"]:
            if STAGE1_EXCLUDE.search(test["name"]) or not test.get("command"):
                continue
            # Run through cmake/wine-run.sh: the program is the first .exe of the build.
            for program in test["command"]:
                if program.startswith(self.build) and program.endswith(".exe"):
                    programs.add(os.path.relpath(program, self.build))
                    break
        return sorted(programs)

    def read(self, rel):
        with open(os.path.join(self.tree, rel), encoding="utf-8") as f:
            return f.read()


def source_files(root):
    for dirpath, dirnames, filenames in os.walk(root):
        rel_dir = os.path.relpath(dirpath, root)
        if rel_dir == ".":
            dirnames[:] = [d for d in dirnames if not SKIPPED_TOP.match(d)]
        for name in filenames:
            yield os.path.normpath(os.path.join(rel_dir, name))


def sync(source_root, tree):
    """Makes tree the same as source_root (build folders aside), writing only the files that
    differ, so that the copy's build rebuilds only what changed since the last run."""
    os.makedirs(tree, exist_ok=True)
    wanted = set(source_files(source_root))
    for rel in wanted:
        source, target = os.path.join(source_root, rel), os.path.join(tree, rel)
        with open(source, "rb") as f:
            data = f.read()
        try:
            with open(target, "rb") as f:
                same = f.read() == data
        except OSError:
            same = False
        if not same:
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                f.write(data)
            shutil.copymode(source, target)
    for rel in set(source_files(tree)) - wanted:
        os.remove(os.path.join(tree, rel))
