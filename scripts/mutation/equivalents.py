"""The mutants judged equivalent (scripts/mutate-equivalent.txt), and those of its entries
that have gone stale.

One mutant a line: the file, the operator, the original line and the mutated line as the run
prints them (whitespace collapsed), and why no behaviour changes, separated by tabs; a line
starting with # is a comment. An entry is stale when its file no longer has that mutant
(the line changed, moved into design data or went): it then matches nothing and only hides
what it once explained, so the run names it for removal.
"""

import os
from dataclasses import dataclass

from . import Failure
from .operators import find_mutants


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


def stale(entries, read):
    """The entries whose mutant is not among the mutants of its file. `read(file)` gives the
    file's source, or None when there is no such file."""
    keys = {}
    out = []
    for entry in entries:
        file = entry.key[0]
        if file not in keys:
            src = read(file)
            keys[file] = set() if src is None else {m.key() for m in find_mutants(file, src)}
        if entry.key not in keys[file]:
            out.append(entry)
    return out


def reader(tree):
    """A read() for stale(): the files of a tree."""
    def read(file):
        try:
            with open(os.path.join(tree, file), encoding="utf-8") as f:
                return f.read()
        except FileNotFoundError:
            return None
    return read
