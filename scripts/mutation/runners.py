"""The tests of a copy, and what they say of a mutant: "killed", "survived" or "timed out".

Native: the native test program, with fail-fast and a time limit set from the unmutated run.
Win32: stage 1 runs the Windows test programs under Wine (every CTest test but the
end-to-end ones) in a session started once for the whole run; stage 2 the end-to-end walk,
for the mutants that survive stage 1.
"""

import os
import shutil
import subprocess
import time

from . import Failure
from .shell import run
from .workcopy import STAGE1_EXCLUDE


def timed_baseline(runner, timeout, what):
    """Runs the unmutated tests once and returns how long they took; stops the run when they
    fail, as no mutant could be judged against them."""
    started = time.monotonic()
    if runner.test(timeout=timeout) != "survived":
        raise Failure(f"{what} fail without any mutant (see {runner.copy.log})")
    return time.monotonic() - started


class NativeRunner:
    def __init__(self, copy):
        self.copy = copy
        self.program = os.path.join(copy.build, "tests", "melodex_tests")
        self.timeout = 60

    def baseline(self):
        took = timed_baseline(self, 600, "the native tests")
        self.timeout = max(30, int(took * 10))
        print(f"Native tests pass unmutated in {took:.1f} s; time limit per run {self.timeout} s")

    def test(self, timeout=None):
        with open(self.copy.log, "ab") as log:
            status = run([self.program, "--gtest_fail_fast", "--gtest_brief=1"],
                         timeout=timeout or self.timeout, cwd=os.path.dirname(self.program),
                         stdout=log, stderr=log)
        if status is None:
            return "timed out"
        return "survived" if status == 0 else "killed"

    def finish(self):
        pass


class Win32Runner:
    def __init__(self, copy):
        self.copy = copy
        self.timeout = 900
        self.stage2_timeout = 3600

    def ctest(self, args, timeout):
        with open(self.copy.log, "ab") as log:
            status = run(["timeout", "-k", "10", str(timeout), "ctest", "--test-dir",
                          self.copy.build, "--output-on-failure", "-FA", ".*"] + args,
                         timeout=timeout + 30, stdout=log, stderr=log)
        if status is None or status in (124, 137):
            # A test stopped half-way may leave its registry values and files in the prefix.
            self.restart_sessions(fresh=True)
            return "timed out"
        return "survived" if status == 0 else "killed"

    def start_sessions(self):
        with open(self.copy.log, "ab") as log:
            run(["ctest", "--test-dir", self.copy.build, "-R", "^wine_session_start"],
                stdout=log, stderr=log)

    def stop_sessions(self, fresh=False):
        """Stops the copy's sessions; `fresh` also removes their prefixes, which the next start
        makes anew."""
        with open(self.copy.log, "ab") as log:
            run(["ctest", "--test-dir", self.copy.build, "-R", "^wine_session_stop"],
                stdout=log, stderr=log)
        for entry in os.listdir(self.copy.build):
            prefix = os.path.join(self.copy.build, entry)
            if entry.startswith("wineprefix") and os.path.isdir(prefix):
                env = dict(os.environ, WINEPREFIX=prefix)
                run(["/usr/lib/wine/wineserver", "-k"], env=env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
                if fresh:
                    shutil.rmtree(prefix, ignore_errors=True)

    def restart_sessions(self, fresh=False):
        self.stop_sessions(fresh)
        self.start_sessions()

    def baseline(self):
        self.start_sessions()
        took = timed_baseline(self, 1800, "the Windows tests")
        self.timeout = max(120, int(took * 4))
        print(f"Stage 1 passes unmutated in {took:.0f} s; time limit per run {self.timeout} s")

    def test(self, timeout=None):
        return self.ctest(["-E", STAGE1_EXCLUDE.pattern, "--stop-on-failure"],
                          timeout or self.timeout)

    def test_stage2(self, timeout=None):
        return self.ctest(["-R", "^e2e_", "-E", "clock", "--stop-on-failure"],
                          timeout or self.stage2_timeout)

    def finish(self):
        self.stop_sessions()


def runner_for(copy):
    return Win32Runner(copy) if copy.win32 else NativeRunner(copy)
