#!/usr/bin/env python3
"""Mutation run: plants one small fault at a time in the sources the tests compile, builds
incrementally, runs the tests and counts which faults they catch.

It works on a copy of the tree under build/mutate/<mode>/tree (kept between runs, so that a
second run builds only what changed), never on the checkout itself: a run that is interrupted
leaves at most the copy changed, and the next run puts the copy right before it starts.

Native mode (the default) mutates the program's own .cpp files that the native test program
compiles (read from the build: ninja's inputs of melodex_tests) and runs that program with
fail-fast and a time limit. Win32 mode (--win32) mutates the .cpp files under src/platform/win32
and src/ui/win32 that the Windows test programs compile, in a GCC mingw Release build; stage 1
runs the Windows test programs under Wine (all CTest tests but the end-to-end ones), stage 2 the
end-to-end walk for the mutants that survive stage 1.

See scripts/mutate.sh --help.
"""

import argparse
import hashlib
import json
import os
import re
import shutil
import signal
import threading
import subprocess
import sys
import time
from dataclasses import dataclass

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EQUIVALENT_FILE = os.path.join(ROOT, "scripts", "mutate-equivalent.txt")
# Top-level folders of the checkout that are not source: build output, packages, VCS data.
SKIPPED_TOP = re.compile(r"^(build.*|out|dist|\.git)$")

# --------------------------------------------------------------------------------------------
# Lexing: comments become spaces, the contents of string and character literals become 'x',
# preprocessor lines and static_assert(...) are excluded, so that the operators below only
# ever see code.


@dataclass
class Literal:
    start: int  # the prefix (L, u8, R, ...) or the opening quote
    quote: int  # the opening quote
    end: int  # one past the closing quote
    kind: str  # '"' or "'"


def lex(src):
    n = len(src)
    code = list(src)
    excluded = bytearray(n)
    literals = []
    i = 0

    def blank(a, b, fill):
        for k in range(a, b):
            if src[k] != "\n":
                code[k] = fill

    while i < n:
        c = src[i]
        if c == "/" and src.startswith("//", i):
            j = src.find("\n", i)
            j = n if j < 0 else j
            blank(i, j, " ")
            i = j
            continue
        if c == "/" and src.startswith("/*", i):
            j = src.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j, " ")
            i = j
            continue
        if c == "'" and i > 0 and (src[i - 1].isalnum() or src[i - 1] == "_"):
            # A digit separator (1'000) is no character literal.
            k = i
            while k > 0 and (src[k - 1].isalnum() or src[k - 1] in "_'"):
                k -= 1
            if src[k].isdigit():
                i += 1
                continue
        if c in "\"'":
            k = i
            while k > 0 and src[k - 1] in "LuUR8":
                k -= 1
            prefix = src[k:i]
            if prefix not in ("", "L", "u", "U", "u8", "R", "LR", "uR", "UR", "u8R") or (
                k > 0 and (src[k - 1].isalnum() or src[k - 1] == "_")
            ):
                k, prefix = i, ""
            if c == '"' and prefix.endswith("R"):
                paren = src.index("(", i + 1)
                delim = src[i + 1 : paren]
                end = src.index(")" + delim + '"', paren) + len(delim) + 2
            else:
                j = i + 1
                while j < n and src[j] != c:
                    j += 2 if src[j] == "\\" else 1
                end = j + 1
            blank(i + 1, end - 1, "x")
            literals.append(Literal(k, i, end, c))
            i = end
            continue
        i += 1

    text = "".join(code)
    # Preprocessor lines, with their continuations.
    pos = 0
    continued = False
    for line in text.split("\n"):
        if continued or line.lstrip().startswith("#"):
            for k in range(pos, pos + len(line)):
                excluded[k] = 1
            continued = line.rstrip().endswith("\\")
        pos += len(line) + 1
    # static_assert(...) in full.
    for m in re.finditer(r"\bstatic_assert\s*\(", text):
        close = match_paren(text, m.end() - 1)
        for k in range(m.start(), close + 1):
            excluded[k] = 1
    return text, excluded, literals


def match_paren(text, open_at):
    pairs = {"(": ")", "[": "]", "{": "}"}
    closing = pairs[text[open_at]]
    opening = text[open_at]
    depth = 0
    for k in range(open_at, len(text)):
        if text[k] == opening:
            depth += 1
        elif text[k] == closing:
            depth -= 1
            if depth == 0:
                return k
    return len(text) - 1


# --------------------------------------------------------------------------------------------
# Operators. Each mutant replaces src[start:end] with `replacement`.


@dataclass
class Mutant:
    file: str  # relative to the tree
    start: int
    end: int
    replacement: str
    operator: str
    line: int = 0
    original_text: str = ""
    mutated_text: str = ""

    def key(self):
        return (self.file, self.operator, self.original_text, self.mutated_text)

    def describe(self):
        return f"{self.file}:{self.line} {self.operator} {self.original_text} -> {self.mutated_text}"


BINARY = ["<<=", ">>=", "<=>", "->*", "->", "<<", ">>", "<=", ">=", "==", "!=", "&&", "||",
          "++", "--", "+=", "-=", "<", ">", "+", "-"]
BINARY_RE = re.compile("|".join(re.escape(op) for op in BINARY))
RELATIONAL = {
    "<": ("<=", ">="),
    "<=": ("<", ">"),
    ">": (">=", "<="),
    ">=": (">", "<"),
}
KEYWORDS = {"return", "if", "while", "for", "switch", "delete", "throw", "break", "continue",
            "case", "default", "goto", "using", "typedef", "static_assert", "sizeof", "else",
            "do", "co_return", "co_await", "co_yield", "new", "template", "namespace"}
STATEMENT_CALL = re.compile(r"^[A-Za-z_~:*][\w:.\->\[\]*]*\(")
STATEMENT_ASSIGN = re.compile(
    r"^[A-Za-z_*(][\w:.\->\[\]*()]*\s+(=|\+=|-=|\*=|/=|%=|\|=|&=|\^=|<<=|>>=)\s")
STATEMENT_STEP = re.compile(r"^((\+\+|--)[\w.\->\[\]*]+|[\w.\->\[\]*]+(\+\+|--))$")
EMPTY_RETURNS = {"{}", "nullptr", "0", '""', 'L""', "std::nullopt", "true", "false"}


def spaced(text, a, b):
    """Whether text[a:b] stands between whitespace: a binary operator as clang-format writes
    it, not a template's angle bracket, a unary sign or a reference."""
    return a > 0 and b < len(text) and text[a - 1] in " \n" and text[b] in " \n"


def find_mutants(rel, src):
    text, excluded, literals = lex(src)
    out = []

    def add(start, end, replacement, operator):
        if any(excluded[start:end]):
            return
        out.append(Mutant(rel, start, end, replacement, operator))

    # Relational, equality, logical, arithmetic, increment.
    for m in BINARY_RE.finditer(text):
        op, a, b = m.group(), m.start(), m.end()
        if op in ("++", "--"):
            add(a, b, "--" if op == "++" else "++", "increment")
            continue
        if not spaced(text, a, b):
            continue
        if op in RELATIONAL:
            boundary, negation = RELATIONAL[op]
            add(a, b, boundary, "relational-boundary")
            add(a, b, negation, "relational-negation")
        elif op in ("==", "!="):
            add(a, b, "!=" if op == "==" else "==", "relational-negation")
        elif op in ("&&", "||"):
            add(a, b, "||" if op == "&&" else "&&", "logical")
        elif op in ("+", "-", "+=", "-="):
            add(a, b, {"+": "-", "-": "+", "+=": "-=", "-=": "+="}[op], "arithmetic")

    # Negated condition.
    for m in re.finditer(r"\b(if|while)\s*\(", text):
        open_at = m.end() - 1
        close = match_paren(text, open_at)
        inner = text[open_at + 1 : close]
        if re.search(r"\bconstexpr\b", text[m.start() : open_at]) or ";" in inner:
            continue
        add(open_at, close + 1, "(!(" + src[open_at + 1 : close] + "))", "negated-condition")

    # Integer constants.
    for m in re.finditer(r"(?<![\w.'])\d[\w']*(?![\w.'])", text):
        token = m.group().replace("'", "")
        number = re.fullmatch(r"(0[xX][0-9a-fA-F]+|0[bB][01]+|\d+)([uUlLzZ]*)", token)
        if not number:
            continue
        digits, suffix = number.groups()
        if digits.lower().startswith("0x"):
            value = int(digits, 16)
            changed = value + 1 if value not in (0, 1) else 1 - value
            # As written: the same case and at least as many digits.
            new = digits[:2] + f"{changed:0{len(digits) - 2}{'X' if digits[2:].isupper() else 'x'}}"
        elif digits.lower().startswith("0b"):
            value = int(digits, 2)
            new = bin(value + 1) if value not in (0, 1) else ("0b1" if value == 0 else "0b0")
        else:
            value = int(digits, 8 if len(digits) > 1 and digits[0] == "0" else 10)
            new = str(value + 1) if value not in (0, 1) else ("1" if value == 0 else "0")
        add(m.start(), m.end(), new + suffix, "integer")

    # Boolean literals (those returned alone are the return operator's).
    for m in re.finditer(r"\b(true|false)\b", text):
        returned = re.search(r"\breturn\s+$", text[max(0, m.start() - 20) : m.start()]) and \
            re.match(r"\s*;", text[m.end() :])
        add(m.start(), m.end(), "false" if m.group() == "true" else "true",
            "return" if returned else "boolean")

    # Returned values emptied.
    for m in re.finditer(r"\breturn\b", text):
        semicolon = statement_end(text, m.end())
        if semicolon is None:
            continue
        expression = text[m.end() : semicolon].strip()
        # A default-made value is what {} makes already.
        if not expression or expression in EMPTY_RETURNS or \
                re.fullmatch(r"[\w:<>, ]+(\(\)|\{\})", expression):
            continue
        add(m.end(), semicolon, " {}", "return")

    # Deleted statements: a call, an assignment or a step that makes up a whole statement.
    for start in statement_starts(text):
        semicolon = statement_end(text, start)
        if semicolon is None:
            continue
        statement = text[start:semicolon].strip()
        first = re.match(r"[A-Za-z_]\w*", statement)
        if first and first.group() in KEYWORDS:
            continue
        if (STATEMENT_CALL.match(statement) and statement.endswith(")")) or \
                STATEMENT_ASSIGN.match(statement) or STATEMENT_STEP.match(statement):
            add(start, semicolon + 1, "{}", "deleted-statement")

    # Emptied string literals.
    for lit in literals:
        if lit.kind != '"':
            continue
        prefix = src[lit.start : lit.quote]
        if src[lit.start : lit.end] == prefix + '""':
            continue
        add(lit.start, lit.end, prefix.replace("R", "") + '""', "empty-string")

    for mutant in out:
        describe(src, mutant)
    return out


def statement_end(text, start):
    """The semicolon that ends the statement from start, at the same nesting; None when a
    brace at that level comes first (a block, an initializer list, a lambda body)."""
    depth = 0
    for k in range(start, len(text)):
        c = text[k]
        if c in "([":
            depth += 1
        elif c in ")]":
            depth -= 1
            if depth < 0:
                return None
        elif c in "{}" and depth == 0:
            return None
        elif c == ";" and depth == 0:
            return k
    return None


def statement_starts(text):
    """Where a statement can begin: after ; { } or a label's colon at the nesting of a block,
    after the header of an if, while or for, and after else."""
    starts = []
    depth = [0]  # open parentheses and brackets, per brace level
    openers = []
    previous = ""  # the last significant character, or "word", "else", "header"
    k, n = 0, len(text)
    while k < n:
        c = text[k]
        if c.isspace():
            k += 1
            continue
        if previous in (";", "{", "}", ":", "else", "header") and depth[-1] == 0 and \
                (c.isalpha() or c in "_*~:+-"):
            starts.append(k)
        if c.isalnum() or c == "_":
            word = re.match(r"\w+", text[k:]).group()
            previous = "else" if word == "else" else "word"
            k += len(word)
            continue
        if c == "{":
            depth.append(0)
        elif c == "}":
            if len(depth) > 1:
                depth.pop()
        elif c in "([":
            depth[-1] += 1
            openers.append(k)
        elif c in ")]":
            depth[-1] -= 1
            opener = openers.pop() if openers else k
        if c == ")" and depth[-1] == 0:
            before = text[:opener].rstrip()
            previous = "header" if re.search(r"\b(if|while|for|constexpr)$", before) else ")"
        elif c == ":" and (text[k + 1 : k + 2] == ":" or text[k - 1 : k] == ":"):
            previous = "::"
        else:
            previous = c
        k += 1
    return starts


def describe(src, mutant):
    line_start = src.rfind("\n", 0, mutant.start) + 1
    line_end = src.find("\n", mutant.end)
    line_end = len(src) if line_end < 0 else line_end
    original = src[line_start:line_end]
    mutated = src[line_start : mutant.start] + mutant.replacement + src[mutant.end : line_end]
    mutant.line = src.count("\n", 0, mutant.start) + 1
    mutant.original_text = " ".join(original.split())
    mutant.mutated_text = " ".join(mutated.split())


# --------------------------------------------------------------------------------------------
# The copy of the tree and its build.


def run(cmd, timeout=None, **kwargs):
    """Runs cmd in a session of its own, so that a time-out ends it with its children."""
    proc = subprocess.Popen(cmd, start_new_session=True, **kwargs)
    try:
        proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        return None
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        raise
    return proc.returncode


def source_files(root):
    for dirpath, dirnames, filenames in os.walk(root):
        rel_dir = os.path.relpath(dirpath, root)
        if rel_dir == ".":
            dirnames[:] = [d for d in dirnames if not SKIPPED_TOP.match(d)]
        for name in filenames:
            yield os.path.normpath(os.path.join(rel_dir, name))


def sync_copy(tree):
    """Makes tree the same as the checkout (build folders aside), writing only the files that
    differ, so that the copy's build rebuilds only what changed since the last run."""
    os.makedirs(tree, exist_ok=True)
    wanted = set(source_files(ROOT))
    for rel in wanted:
        source, target = os.path.join(ROOT, rel), os.path.join(tree, rel)
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


class Mode:
    """One copy of the tree with its build: a worker of the run."""

    def __init__(self, args, index=0):
        self.args = args
        self.name = "win32" if args.win32 else "native"
        self.work = os.path.join(ROOT, "build", "mutate", self.name)
        suffix = f"-{index + 1}" if index else ""
        self.tree = os.path.join(self.work, "tree" + suffix)
        self.build = os.path.join(self.tree, "build", "windows" if args.win32 else "native")
        self.log = os.path.join(self.work, f"last-run{suffix}.log")

    def configure(self):
        cmd = [os.path.join(self.tree, "scripts", "configure.sh"), "-S", self.tree, "-B",
               self.build, "-G", "Ninja", "-DMELODEX_WERROR=OFF", "--no-warn-unused-cli"]
        if self.args.win32:
            cmd += ["-DCMAKE_BUILD_TYPE=Release", "-DMELODEX_BENCHMARKS=OFF",
                    "-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake"]
        else:
            # Debug with the sanitizers, as build/native, but without debug information and
            # linked by lld where there is one: a mutant then builds in about half the time.
            cmd += ["-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG="]
            if shutil.which("ld.lld"):
                cmd += ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"]
        if run(cmd, cwd=self.tree) != 0:
            sys.exit("mutate: configuring the copy's build failed")

    def build_target(self):
        return [] if self.args.win32 else ["--target", "melodex_tests"]

    def compile(self, timeout=None):
        with open(self.log, "ab") as log:
            status = run(["cmake", "--build", self.build, "-j", str(self.args.jobs)] +
                         self.build_target(), timeout=timeout, stdout=log, stderr=log)
        return status == 0

    def inputs(self, target_path):
        out = subprocess.run(["ninja", "-C", self.build, "-t", "inputs", target_path],
                             check=True, capture_output=True, text=True).stdout
        return [os.path.normpath(p) for p in out.split()]

    def candidates(self):
        """The project's .cpp files that the tested programs compile, from the build."""
        if self.args.win32:
            targets = self.windows_test_programs()
            wanted = ("src/platform/win32/", "src/ui/win32/")
        else:
            targets = ["tests/melodex_tests"]
            wanted = ("src/",)
        files = set()
        for target in targets:
            for path in self.inputs(target):
                full = path if os.path.isabs(path) else os.path.join(self.build, path)
                rel = os.path.relpath(os.path.realpath(full), os.path.realpath(self.tree))
                if rel.endswith(".cpp") and rel.startswith(wanted):
                    files.add(rel)
        return sorted(files)

    def windows_test_programs(self):
        """The programs of stage 1's CTest tests, as build paths."""
        out = subprocess.run(["ctest", "--test-dir", self.build, "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
        programs = set()
        for test in json.loads(out)["tests"]:
            if STAGE1_EXCLUDE.search(test["name"]) or not test.get("command"):
                continue
            # Run through cmake/wine-run.sh: the program is the first .exe of the build.
            for program in test["command"]:
                if program.startswith(self.build) and program.endswith(".exe"):
                    programs.add(os.path.relpath(program, self.build))
                    break
        return sorted(programs)


STAGE1_EXCLUDE = re.compile(r"^(e2e|wine_session)")


class NativeRunner:
    def __init__(self, mode):
        self.mode = mode
        self.program = os.path.join(mode.build, "tests", "melodex_tests")
        self.timeout = 60

    def baseline(self):
        took = timed_baseline(self, 600, "the native tests")
        self.timeout = max(30, int(took * 10))
        print(f"Native tests pass unmutated in {took:.1f} s; time limit per run {self.timeout} s")

    def test(self, timeout=None):
        with open(self.mode.log, "ab") as log:
            status = run([self.program, "--gtest_fail_fast", "--gtest_brief=1"],
                         timeout=timeout or self.timeout, cwd=os.path.dirname(self.program),
                         stdout=log, stderr=log)
        if status is None:
            return "timed out"
        return "survived" if status == 0 else "killed"

    def finish(self):
        pass


def timed_baseline(runner, timeout, what):
    """Runs the unmutated tests once and returns how long they took; stops the run when they
    fail, as no mutant could be judged against them."""
    started = time.monotonic()
    status = runner.test(timeout=timeout)
    if status != "survived":
        sys.exit(f"mutate: {what} fail without any mutant (see {runner.mode.log})")
    return time.monotonic() - started


class Win32Runner:
    """Stage 1 under Wine in a session started once for the whole run; stage 2 later."""

    def __init__(self, mode):
        self.mode = mode
        self.timeout = 900
        self.stage2_timeout = 3600
        names = subprocess.run(["ctest", "--test-dir", mode.build, "-N"], check=True,
                               capture_output=True, text=True).stdout
        self.sessions = re.findall(r"Test\s+#\d+: (wine_session_start\S*)", names)

    def ctest(self, args, timeout):
        with open(self.mode.log, "ab") as log:
            status = run(["timeout", "-k", "10", str(timeout), "ctest", "--test-dir",
                          self.mode.build, "--output-on-failure", "-FA", ".*"] + args,
                         timeout=timeout + 30, stdout=log, stderr=log)
        if status is None or status in (124, 137):
            # A test stopped half-way may leave its registry values and files in the prefix.
            self.restart_sessions(fresh=True)
            return "timed out"
        return "survived" if status == 0 else "killed"

    def start_sessions(self):
        with open(self.mode.log, "ab") as log:
            run(["ctest", "--test-dir", self.mode.build, "-R", "^wine_session_start"],
                stdout=log, stderr=log)

    def stop_sessions(self, fresh=False):
        """Stops the copy's sessions; `fresh` also removes their prefixes, which the next start
        makes anew."""
        with open(self.mode.log, "ab") as log:
            run(["ctest", "--test-dir", self.mode.build, "-R", "^wine_session_stop"],
                stdout=log, stderr=log)
        for entry in os.listdir(self.mode.build):
            prefix = os.path.join(self.mode.build, entry)
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


# --------------------------------------------------------------------------------------------


def load_equivalents():
    """One mutant a line: file, operator, original line, mutated line and the reason, separated
    by tabs; # starts a comment line."""
    known = {}
    if not os.path.exists(EQUIVALENT_FILE):
        return known
    with open(EQUIVALENT_FILE, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 5:
                sys.exit(f"mutate: {EQUIVALENT_FILE}:{number}: want 5 tab-separated fields")
            known[tuple(fields[:4])] = fields[4]
    return known


def load_descriptions(path):
    """The keys of the mutants described in a file, one a line as the run prints them."""
    keys = set()
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"\s*(\S+):\d+ (\S+) (.*)$", line.rstrip("\n"))
            if not m:
                continue
            text = m.group(3)
            # The texts may hold " -> " themselves: every split is a candidate key.
            at = text.find(" -> ")
            while at >= 0:
                keys.add((m.group(1), m.group(2), text[:at], text[at + 4 :]))
                at = text.find(" -> ", at + 1)
    return keys


def all_mutants(mode, files):
    mutants = []
    for rel in files:
        with open(os.path.join(mode.tree, rel), encoding="utf-8") as f:
            mutants += find_mutants(rel, f.read())
    return mutants


def score(killed, survived):
    total = killed + survived
    return f"{100.0 * killed / total:.1f}%" if total else "n/a"


def main():
    parser = argparse.ArgumentParser(
        prog="scripts/mutate.sh",
        description="Plants one small fault at a time in the sources the tests compile and "
                    "counts the faults the tests catch.")
    parser.add_argument("--win32", action="store_true",
                        help="the Win32 layer under Wine (two stages) instead of the native tests")
    parser.add_argument("--seed", type=int, default=22, help="seed of the sample (default 22)")
    parser.add_argument("--count", type=int, default=300, help="mutants in the sample (300)")
    parser.add_argument("--all", action="store_true", help="every candidate, no sample")
    parser.add_argument("--list", action="store_true", help="print the mutants, run nothing")
    parser.add_argument("--file", action="append", default=[],
                        help="only mutants in files whose path contains this (repeatable)")
    parser.add_argument("--only", metavar="LIST",
                        help="only the mutants a file lists as the run prints them "
                             "(file:line operator original -> mutated), e.g. the survivors of "
                             "an earlier run; the line numbers may have moved")
    parser.add_argument("--jobs", type=int, default=2, help="build jobs of a worker (default 2)")
    parser.add_argument("--workers", type=int, default=2,
                        help="mutants tried at once, each in a copy of its own (native; 2)")
    args = parser.parse_args()

    started = time.monotonic()
    # Ctrl-C, and a plain kill, stop the run between steps and put the mutated files back,
    # also when it was started in the background, where the shell leaves SIGINT ignored.
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, signal.default_int_handler)
    # Each worker has a copy of its own; the Wine tests share one display, so one worker there.
    workers = 1 if args.win32 else max(1, args.workers)
    modes = [Mode(args, index) for index in range(workers)]
    mode = modes[0]
    os.makedirs(mode.work, exist_ok=True)
    for m in modes:
        with open(m.log, "wb"):
            pass
        sync_copy(m.tree)
        m.configure()
    print(f"Copies of the tree: {', '.join(m.tree for m in modes)}")
    files = mode.candidates()
    mutants = all_mutants(mode, files)
    if args.file:
        mutants = [m for m in mutants if any(part in m.file for part in args.file)]
    if args.only:
        wanted = load_descriptions(args.only)
        mutants = [m for m in mutants if m.key() in wanted]
    elif not args.all and args.count < len(mutants):
        # Each mutant draws its own lot from the seed and what it changes, and the lowest
        # lots are taken: the same seed on the same tree gives the same sample, and a change
        # elsewhere in the tree leaves the draw of the other mutants as it was.
        mutants.sort(key=lambda m: (m.file, m.start, m.operator, m.replacement))
        seen = {}
        lots = {}
        for m in mutants:
            occurrence = seen[m.key()] = seen.get(m.key(), -1) + 1
            text = "\t".join((str(args.seed),) + m.key() + (str(occurrence),))
            lots[id(m)] = hashlib.sha256(text.encode("utf-8")).digest()
        mutants = sorted(mutants, key=lambda m: lots[id(m)])[: args.count]
    mutants.sort(key=lambda m: (m.file, m.start, m.operator, m.replacement))
    equivalents = load_equivalents()
    print(f"{len(files)} files, {len(mutants)} mutants" +
          ("" if args.all else f" (seed {args.seed})"))
    if args.list:
        for m in mutants:
            print(m.describe())
        return 0

    print("Building the copies ...", flush=True)
    for m in modes:
        if not m.compile():
            sys.exit(f"mutate: the copy does not build unmutated (see {m.log})")
    runners = [Win32Runner(m) if args.win32 else NativeRunner(m) for m in modes]

    results = {}
    stage2 = {}
    lock = threading.Lock()
    stop = threading.Event()
    done = [0]

    def try_mutant(m, copy, test, label, total):
        """Plants the mutant in the copy, builds, tests and puts the file back."""
        t0 = time.monotonic()
        path = os.path.join(copy.tree, m.file)
        with open(path, encoding="utf-8") as f:
            original = f.read()
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original[: m.start] + m.replacement + original[m.end :])
            result = test() if copy.compile(timeout=900) else "not compiled"
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        with lock:
            done[0] += 1
            if result == "survived" and m.key() in equivalents:
                result = "equivalent"
            print(f"[{label}{done[0]}/{total}] {result:<12} {m.describe()} "
                  f"({time.monotonic() - t0:.1f} s)", flush=True)
        return result

    def work(queue, copy, runner):
        for m in queue:
            if stop.is_set():
                return
            results[id(m)] = try_mutant(m, copy, runner.test, "", len(mutants))
        copy.compile()  # the copy's build matching its sources again

    # Whole files to each worker, so that a worker rebuilds one file after another.
    queues = [[] for _ in modes]
    by_file = {}
    for m in mutants:
        by_file.setdefault(m.file, []).append(m)
    for group in sorted(by_file.values(), key=len, reverse=True):
        min(queues, key=len).extend(group)
    threads = []
    interrupted = False
    try:
        for runner in runners:
            runner.baseline()
        threads = [threading.Thread(target=work, args=(q, c, r), daemon=True)
                   for q, c, r in zip(queues, modes, runners)]
        for t in threads:
            t.start()
        for t in threads:
            while t.is_alive():
                t.join(0.5)
        if args.win32:
            survivors = [m for m in mutants if results.get(id(m)) == "survived"]
            if survivors:
                print(f"Stage 2: the end-to-end walk for {len(survivors)} survivors")
                # On prefixes made anew: stage 1's mutants may have left anything in theirs.
                runners[0].restart_sessions(fresh=True)
                if runners[0].test_stage2() != "survived":
                    print("mutate: the end-to-end walk fails without any mutant; stage 2 skipped")
                else:
                    done[0] = 0
                    for m in survivors:
                        stage2[id(m)] = try_mutant(m, mode, runners[0].test_stage2, "stage 2 ",
                                                   len(survivors))
                    mode.compile()
    except KeyboardInterrupt:
        # The counts below cover the mutants tried so far (the stage-1 survivors that stage 2
        # did not reach count as survivors).
        stop.set()
        interrupted = True
        print("mutate: interrupted; the mutants being tried are put back ...", file=sys.stderr)
        for t in threads:
            t.join()
    finally:
        for runner in runners:
            runner.finish()

    def summary(title, outcome):
        counts = {k: 0 for k in ("killed", "timed out", "survived", "equivalent", "not compiled")}
        for m in mutants:
            counts[outcome(m)] += 1
        killed = counts["killed"] + counts["timed out"]
        print(f"{title}: {score(killed, counts['survived'])} "
              f"(raw {score(killed, counts['survived'] + counts['equivalent'])}); " +
              ", ".join(f"{k} {v}" for k, v in counts.items()))
        return counts

    if interrupted:
        mutants = [m for m in mutants if id(m) in results]
        print(f"\nInterrupted: the counts cover the {len(mutants)} mutants tried.")
    print()
    summary("Stage 1 score" if args.win32 else "Score", lambda m: results[id(m)])
    if args.win32:
        def both(m):
            r = results[id(m)]
            if r != "survived" or id(m) not in stage2:
                return r
            s = stage2[id(m)]
            return "survived" if s == "not compiled" else s
        summary("Score over both stages", both)
    wall = time.monotonic() - started
    print(f"Wall time: {int(wall // 60)} min {int(wall % 60)} s")
    equivalent = [m for m in mutants if results[id(m)] == "equivalent"]
    if equivalent:
        print(f"\nEquivalent (on {os.path.relpath(EQUIVALENT_FILE, ROOT)}):")
        for m in equivalent:
            print(f"  {m.describe()}  [{equivalents[m.key()]}]")
    survivors = [m for m in mutants if results[id(m)] == "survived" and
                 (not args.win32 or stage2.get(id(m)) in ("survived", "not compiled", None))]
    if survivors:
        print("\nSurvivors:")
        for m in survivors:
            print(f"  {m.describe()}")
        print("\nAn equivalent one goes on the list as a line of tab-separated fields: file, "
              "operator, original, mutated, reason.")
    return 130 if interrupted else 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        print("mutate: interrupted; the copies are put right at the next run", file=sys.stderr)
        sys.exit(130)
