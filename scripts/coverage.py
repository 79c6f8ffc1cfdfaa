#!/usr/bin/env python3
"""The report of the coverage run (scripts/coverage.sh): reads the counts of the native and the
Windows coverage builds through gcovr, each with its own compiler's gcov, and writes

- the lines and branches of src/ that ran, per file, native and Windows together (a line ran
  when it ran in either build),
- every line of src/platform/win32 and src/ui/win32 that no test ran, as file:line: text,
  split into those listed in scripts/coverage-not-run.txt (lines no test can run here: only
  Windows runs them, or only a failing system; each with why) and the unexplained ones, and
  the entries of that list that match no line no test ran (stale: the line is gone, or it
  runs now),
- how many runs wrote the counts of each Windows program (gcov-dump's run count of one of its
  own objects): proof that the counts of the programs run under Wine arrived.

Branches are counted without those of exception throws and those the compiler marks
unreachable. Exits with 1 when a line is unexplained or an entry stale.
"""

import argparse
import json
import os
import re
import subprocess
import sys

LAYER = ("src/platform/win32/", "src/ui/win32/")
LIST_FILE = os.path.join("scripts", "coverage-not-run.txt")
# What a coverage build adds to melodex.exe to write its counts on request: not the program's.
HOOK = "src/app/CoverageDump.cpp"


def collapse(text):
    return " ".join(text.split())


def gcovr(root, build, gcov, out_json):
    """gcovr's data of one build, for src/ only."""
    cmd = ["gcovr", "--root", root, "--object-directory", build, "--gcov-executable", gcov,
           "--filter", os.path.join(root, "src") + "/", "--exclude-throw-branches",
           "--exclude-unreachable-branches", "-j", "2", "--json", out_json,
           # where the objects are, not the Wine prefixes beside them
           os.path.join(build, "src"), os.path.join(build, "tests")]
    subprocess.run(cmd, check=True, cwd=root)
    with open(out_json, encoding="utf-8") as f:
        return json.load(f)


def merge(datas):
    """{file: {line: (count, [branch counts])}}: a line's count is the sum over the builds,
    its branches the sum branch by branch where both builds have the same ones, otherwise the
    build's with more of them."""
    files = {}
    for data in datas:
        for entry in data["files"]:
            lines = files.setdefault(entry["file"], {})
            for line in entry["lines"]:
                if line["gcovr/noncode"] or line["gcovr/excluded"]:
                    continue
                number = line["line_number"]
                count = line["count"]
                branches = [b["count"] for b in line["branches"]]
                if number in lines:
                    old_count, old_branches = lines[number]
                    count += old_count
                    if len(old_branches) == len(branches):
                        branches = [a + b for a, b in zip(old_branches, branches)]
                    elif len(old_branches) > len(branches):
                        branches = old_branches
                lines[number] = (count, branches)
    return files


def summary(lines):
    total = len(lines)
    ran = sum(1 for count, _ in lines.values() if count > 0)
    branches = sum(len(b) for _, b in lines.values())
    taken = sum(1 for _, b in lines.values() for count in b if count > 0)
    return ran, total, taken, branches


def percent(part, whole):
    return f"{100.0 * part / whole:5.1f}%" if whole else "    -"


def table(files, names, title):
    rows = [title, f"{'file':<48} {'lines':>15} {'branches':>17}"]
    sums = [0, 0, 0, 0]
    for name in names:
        ran, total, taken, branches = summary(files[name])
        sums = [a + b for a, b in zip(sums, (ran, total, taken, branches))]
        rows.append(f"{name:<48} {ran:>5}/{total:<5} {percent(ran, total)} "
                    f"{taken:>5}/{branches:<5} {percent(taken, branches)}")
    ran, total, taken, branches = sums
    rows.append(f"{'total':<48} {ran:>5}/{total:<5} {percent(ran, total)} "
                f"{taken:>5}/{branches:<5} {percent(taken, branches)}")
    return rows


def load_list(root):
    """The listed lines: (file, collapsed text) -> the entry's line in the list file."""
    entries = {}
    path = os.path.join(root, LIST_FILE)
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 5 or not all(field.strip() for field in fields):
                sys.exit(f"{LIST_FILE}:{number}: five fields separated by tabs expected: the "
                         "file, the line, why it cannot run under Wine, what of Windows it "
                         "relies on, a source")
            entries[(fields[0], collapse(fields[1]))] = number
    return entries


def source_lines(root, name):
    with open(os.path.join(root, name), encoding="utf-8", errors="replace") as f:
        return f.read().split("\n")


def runs(build, gcov_dump):
    """How many runs wrote the counts of each program: the run count of its objects' .gcda
    files (the most any of them holds: a file whose functions no run reached has fewer)."""
    found = {}
    for top in ("src", "tests"):  # not the Wine prefixes beside them
        for folder, subfolders, names in os.walk(os.path.join(build, top)):
            gcdas = [name for name in names if name.endswith(".gcda")]
            if not gcdas:
                continue
            target = re.search(r"/CMakeFiles/([^/]+)\.dir(/|$)", folder + "/")
            if not target:
                continue
            for gcda in gcdas:
                out = subprocess.run([gcov_dump, os.path.join(folder, gcda)], capture_output=True,
                                     text=True)
                for m in re.finditer(r"OBJECT_SUMMARY runs=(\d+)", out.stdout):
                    found[target.group(1)] = max(found.get(target.group(1), 0), int(m.group(1)))
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--root", required=True)
    parser.add_argument("--native", required=True)
    parser.add_argument("--windows", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    out = os.path.join(root, args.out)
    os.makedirs(os.path.join(out, "html"), exist_ok=True)
    native_json = os.path.join(out, "native.json")
    windows_json = os.path.join(out, "windows.json")
    native = gcovr(root, os.path.join(root, args.native), "gcov", native_json)
    windows = gcovr(root, os.path.join(root, args.windows), "x86_64-w64-mingw32-gcov",
                    windows_json)
    subprocess.run(["gcovr", "--root", root, "--add-tracefile", native_json, "--add-tracefile",
                    windows_json, "--html-details", os.path.join(out, "html", "index.html")],
                   check=True, cwd=root, stdout=subprocess.DEVNULL)
    files = merge([native, windows])
    hook = files.pop(HOOK, {})
    names = sorted(files)
    layer = [name for name in names if name.startswith(LAYER)]

    report = table(files, names, "Lines and branches of src/ that ran (native and Windows "
                                 "builds together)")
    report += [""] + table(files, layer, "The Win32 layer (src/platform/win32, src/ui/win32)")

    entries = load_list(root)
    used = set()
    listed, unexplained = [], []
    for name in layer:
        text = source_lines(root, name)
        for number, (count, _) in sorted(files[name].items()):
            if count:
                continue
            line = text[number - 1] if number <= len(text) else ""
            key = (name, collapse(line))
            shown = f"{name}:{number}: {line.strip()}"
            if key in entries:
                used.add(key)
                listed.append(shown)
            else:
                unexplained.append(shown)
    stale = []
    for key, number in sorted(entries.items(), key=lambda item: item[1]):
        if key in used:
            continue
        name, line = key
        present = os.path.exists(os.path.join(root, name)) and any(
            collapse(text) == line for text in source_lines(root, name))
        why = "runs now" if present else "no such line"
        stale.append(f"{LIST_FILE}:{number}: {name}: {line} ({why})")

    report += ["", f"Lines of the Win32 layer that no test ran: {len(listed) + len(unexplained)}",
               "", f"Listed in {LIST_FILE}, no test can run them here: {len(listed)}"]
    report += ["  " + line for line in listed]
    report += ["", f"Unexplained (neither run nor listed): {len(unexplained)}"]
    report += ["  " + line for line in unexplained]
    report += ["", f"Stale entries of {LIST_FILE} (no line no test ran matches): {len(stale)}"]
    report += ["  " + line for line in stale]

    build = os.path.join(root, args.windows)
    programs = runs(build, "x86_64-w64-mingw32-gcov-dump")
    report += ["", "Runs that wrote the counts of each Windows program (under Wine):"]
    for target, count in sorted(programs.items()):
        if not any(os.path.exists(os.path.join(build, folder, target + ".exe"))
                   for folder in ("src/app", "tests")):
            continue  # a library: its runs are those of the programs it is in
        report.append(f"  {target}.exe: {count}")
    hook_text = source_lines(root, HOOK)
    requested = [count for number, (count, _) in hook.items()
                 if "__gcov_dump();" in hook_text[number - 1]]
    if requested:
        report.append(f"  of melodex.exe's, written on request just before the end-to-end "
                      f"driver ended the program by force: {requested[0]}")

    # A line that ran may hold a part that did not (an early return after its condition).
    partial = []
    for name in layer:
        text = source_lines(root, name)
        for number, (count, branches) in sorted(files[name].items()):
            if count and any(taken == 0 for taken in branches):
                untaken = sum(1 for taken in branches if taken == 0)
                partial.append(f"  {name}:{number}: {text[number - 1].strip()} "
                               f"({untaken} of {len(branches)} branches not taken)")
    details = ["", "Lines of the Win32 layer that ran with a branch no test took: "
               f"{len(partial)}"] + partial

    text = "\n".join(report) + "\n"
    with open(os.path.join(out, "report.txt"), "w", encoding="utf-8") as f:
        f.write(text + "\n".join(details) + "\n")
    sys.stdout.write(text)
    print(f"\nLines of the Win32 layer that ran with a branch no test took: {len(partial)} "
          "(listed in the report file)")
    print(f"\nReport: {os.path.join(args.out, 'report.txt')}, "
          f"{os.path.join(args.out, 'html', 'index.html')}")
    return 1 if unexplained or stale else 0


if __name__ == "__main__":
    sys.exit(main())
