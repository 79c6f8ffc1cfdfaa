"""Which mutants a run tries: those of the files asked for, those of a list (--only), or a
repeatable sample drawn from a seed."""

import hashlib
import re


def choose(mutants, files=(), only=None, seed=22, count=None):
    """The mutants to try, in the order of the files and their places in them. `files` keeps
    those whose path holds one of its parts; `only` those a list describes; else `count`
    (None: all) are drawn with `seed`."""
    if files:
        mutants = [m for m in mutants if any(part in m.file for part in files)]
    if only is not None:
        wanted = load_descriptions(only)
        mutants = [m for m in mutants if m.key() in wanted]
    elif count is not None and count < len(mutants):
        mutants = draw(mutants, seed, count)
    return sorted(mutants, key=lambda m: m.order())


def draw(mutants, seed, count):
    """Each mutant draws its own lot from the seed and what it changes, and the lowest lots are
    taken: the same seed on the same tree gives the same sample, and a change elsewhere in the
    tree leaves the draw of the other mutants as it was."""
    seen = {}
    lots = {}
    for m in sorted(mutants, key=lambda m: m.order()):
        occurrence = seen[m.key()] = seen.get(m.key(), -1) + 1
        text = "\t".join((str(seed),) + m.key() + (str(occurrence),))
        lots[id(m)] = hashlib.sha256(text.encode("utf-8")).digest()
    return sorted(mutants, key=lambda m: lots[id(m)])[:count]


def load_descriptions(path):
    """The keys of the mutants described in a file, one a line as the run prints them
    (file:line operator original -> mutated); the line numbers may have moved."""
    with open(path, encoding="utf-8") as f:
        return parse_descriptions(f.read().splitlines())


def parse_descriptions(lines):
    keys = set()
    for line in lines:
        m = re.match(r"\s*(\S+):\d+ (\S+) (.*)$", line)
        if not m:
            continue
        text = m.group(3)
        # The texts may hold " -> " themselves: every split is a candidate key.
        at = text.find(" -> ")
        while at >= 0:
            keys.add((m.group(1), m.group(2), text[:at], text[at + 4 :]))
            at = text.find(" -> ", at + 1)
    return keys
