"""What a run prints at its end: the score of each stage, the wall time, the equivalent
mutants met, the survivors, and the stale entries of the equivalent list."""

OUTCOMES = ("killed", "timed out", "survived", "equivalent", "not compiled")


def score(killed, survived):
    total = killed + survived
    return f"{100.0 * killed / total:.1f}%" if total else "n/a"


def summary(title, mutants, outcome):
    counts = {k: 0 for k in OUTCOMES}
    for m in mutants:
        counts[outcome(m)] += 1
    killed = counts["killed"] + counts["timed out"]
    print(f"{title}: {score(killed, counts['survived'])} "
          f"(raw {score(killed, counts['survived'] + counts['equivalent'])}); " +
          ", ".join(f"{k} {v}" for k, v in counts.items()))


def final(trials, win32, interrupted, wall, equivalents_name, reasons):
    """The report of a run that tried `trials.mutants` (of them, those it reached)."""
    results, stage2 = trials.results, trials.stage2
    mutants = trials.mutants
    if interrupted:
        mutants = [m for m in mutants if id(m) in results]
        print(f"\nInterrupted: the counts cover the {len(mutants)} mutants tried.")
    print()
    summary("Stage 1 score" if win32 else "Score", mutants, lambda m: results[id(m)])
    if win32:
        def both(m):
            # Stage 2 judges stage 1's survivors; one it did not reach stays a survivor.
            r = results[id(m)]
            if r != "survived" or id(m) not in stage2:
                return r
            return "survived" if stage2[id(m)] == "not compiled" else stage2[id(m)]
        summary("Score over both stages", mutants, both)
    print(f"Wall time: {int(wall // 60)} min {int(wall % 60)} s")
    equivalent = [m for m in mutants if results[id(m)] == "equivalent"]
    if equivalent:
        print(f"\nEquivalent (on {equivalents_name}):")
        for m in equivalent:
            print(f"  {m.describe()}  [{reasons[m.key()]}]")
    survivors = [m for m in mutants if results[id(m)] == "survived" and
                 (not win32 or stage2.get(id(m)) in ("survived", "not compiled", None))]
    if survivors:
        print("\nSurvivors:")
        for m in survivors:
            print(f"  {m.describe()}")
        print("\nAn equivalent one goes on the list as a line of tab-separated fields: file, "
              "operator, original, mutated, reason.")


def stale(entries, equivalents_name):
    """The entries of the equivalent list that match no mutant of their file any more."""
    if not entries:
        return
    print(f"\nStale on {equivalents_name} (no such mutant in its file any more; remove them):")
    for entry in entries:
        file, operator, original, mutated = entry.key
        print(f"  line {entry.number}: {file} {operator} {original} -> {mutated}")
