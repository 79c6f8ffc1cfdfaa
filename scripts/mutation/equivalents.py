"""The mutants judged equivalent (scripts/mutate-equivalent.txt).

One mutant a line: the file, the operator, the original line and the mutated line as the run
prints them (whitespace collapsed), and why no behaviour changes, separated by tabs; a line
starting with # is a comment.
"""

import os
from dataclasses import dataclass

from . import Failure


@dataclass
class Entry:
    number: int  # its line in the list
    key: tuple  # file, operator, original, mutated
    reason: str


def load(path, name):
    """The entries of the list at `path` (`name` in messages); none when there is no list."""
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as f:
        return parse(f.read().splitlines(), name)


def parse(lines, name):
    entries = []
    for number, line in enumerate(lines, 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 5:
            raise Failure(f"{name}:{number}: want 5 tab-separated fields, found {len(fields)}")
        entries.append(Entry(number, tuple(fields[:4]), fields[4]))
    return entries


def reasons(entries):
    """The reason of each equivalent mutant, by its key."""
    return {entry.key: entry.reason for entry in entries}

