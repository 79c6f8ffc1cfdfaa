"""The command line: the options, the order of the steps, and errors told in one line."""

import argparse
import os
import signal
import sys
import time

from . import ROOT, Failure, equivalents, report, sample
from .operators import find_mutants
from .runners import runner_for
from .trials import Trials
from .workcopy import WorkCopy

EQUIVALENTS = os.path.join(ROOT, "scripts", "mutate-equivalent.txt")
EQUIVALENTS_NAME = os.path.relpath(EQUIVALENTS, ROOT)


def options(argv):
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
    return parser.parse_args(argv)


def main(argv=None):
    args = options(argv)
    started = time.monotonic()
    # Ctrl-C, and a plain kill, stop the run between steps and put the mutated files back,
    # also when it was started in the background, where the shell leaves SIGINT ignored.
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, signal.default_int_handler)
    # Each worker has a copy of its own; the Wine tests share one display, so one worker there.
    workers = 1 if args.win32 else max(1, args.workers)
    copies = [WorkCopy(args.win32, args.jobs, index) for index in range(workers)]
    for copy in copies:
        copy.prepare()
    print(f"Copies of the tree: {', '.join(c.tree for c in copies)}")
    files = copies[0].candidates()
    mutants = [m for rel in files for m in find_mutants(rel, copies[0].read(rel))]
    mutants = sample.choose(mutants, args.file, args.only, args.seed,
                            None if args.all else args.count)
    entries = equivalents.load(EQUIVALENTS, EQUIVALENTS_NAME)
    stale = equivalents.stale(entries, equivalents.reader(copies[0].tree))
    print(f"{len(files)} files, {len(mutants)} mutants" +
          ("" if args.all else f" (seed {args.seed})"))
    if args.list:
        for m in mutants:
            print(m.describe())
        report.stale(stale, EQUIVALENTS_NAME)
        return 0

    print("Building the copies ...", flush=True)
    for copy in copies:
        if not copy.compile():
            raise Failure(f"the copy does not build unmutated (see {copy.log})")
    runners = [runner_for(copy) for copy in copies]
    trials = Trials(mutants, equivalents.reasons(entries))
    interrupted = False
    try:
        for runner in runners:
            runner.baseline()
        trials.stage1(copies, runners)
        if args.win32:
            trials.stage2_of(copies[0], runners[0])
    except KeyboardInterrupt:
        # The counts cover the mutants tried so far (the stage-1 survivors that stage 2 did
        # not reach count as survivors).
        interrupted = True
        print("mutate: interrupted; the mutants being tried are put back ...", file=sys.stderr)
        trials.wait()
    finally:
        for runner in runners:
            runner.finish()
    report.final(trials, args.win32, interrupted, time.monotonic() - started, EQUIVALENTS_NAME,
                 equivalents.reasons(entries))
    report.stale(stale, EQUIVALENTS_NAME)
    return 130 if interrupted else 0


def entry(argv=None):
    """main, with whatever stops it told in one line on stderr instead of a traceback."""
    try:
        return main(argv)
    except KeyboardInterrupt:
        message, status = "interrupted; the copies are put right at the next run", 130
    except Failure as e:
        message, status = str(e), 1
    except OSError as e:
        message, status = (f"{e.filename}: {e.strerror}" if e.filename else str(e)), 1
    except Exception as e:  # a fault of the tool itself: still one line, with its kind
        message, status = f"unexpected {type(e).__name__}: {e}", 1
    print(f"mutate: {message}", file=sys.stderr)
    return status
