"""The mutation run: plants one small fault at a time in the sources the tests compile,
builds a copy of the tree incrementally, runs the tests and counts the faults they catch.

One job a module:
  cpp          reads C++: what is code, where statements begin and end
  design       which literals are design data, left to the end-to-end walk
  operators    the faults: the mutants of a file
  sample       which mutants a run tries: --file, --only, the seeded sample
  equivalents  the list of mutants that change nothing, and its stale entries
  shell        runs commands in a session of their own, with time limits
  workcopy     the copies of the tree and their builds
  runners      the tests of a copy: native, Win32 stage 1 and stage 2
  trials       plants each mutant in a copy, builds and tests it, puts the file back
  report       the score and the lists printed at the end
  cli          the options and the order of the steps
"""

import os

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


class Failure(Exception):
    """A reason the run cannot go on, told to the user in one line."""
