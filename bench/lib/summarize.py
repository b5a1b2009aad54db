"""Prints the benchmark table from the hyperfine JSON files and the peak
memory readings that bench/run.sh leaves in one directory.

Ratios are vornscript divided by the peer, so below 1 means vornscript is
faster; medians of wall-clock time decide, CPU time is shown beside them
because a shared machine inflates wall-clock time unevenly.
"""
import json
import math
import os
import statistics
import sys

LANGUAGES = ["vornscript", "lua", "python", "perl"]
PEERS = LANGUAGES[1:]


def readrun(path):
    """Per language: (median wall seconds, mean CPU seconds)."""
    with open(path) as handle:
        results = json.load(handle)["results"]
    return {result["command"]: (statistics.median(result["times"]),
                                result["user"] + result["system"])
            for result in results}


def geomean(values):
    return math.exp(sum(math.log(value) for value in values) / len(values))


def table(header, rows, namecolumn=True):
    """Right-aligned columns; the first one left-aligned when it names rows."""
    widths = [max(len(str(row[column])) for row in [header] + rows)
              for column in range(len(header))]
    for row in [header] + rows:
        cells = [str(cell).ljust(width) if namecolumn and column == 0 else str(cell).rjust(width)
                 for column, (cell, width) in enumerate(zip(row, widths))]
        print("  " + "  ".join(cells))


def ratiotable(title, benchmarks, runs, pick, unit):
    print(title)
    header = ["benchmark"] + LANGUAGES + ["vorn/" + peer for peer in PEERS]
    rows = []
    ratios = {peer: [] for peer in PEERS}
    for name in benchmarks:
        values = {language: pick(runs[name][language]) for language in LANGUAGES}
        row = [name] + [unit(values[language]) for language in LANGUAGES]
        for peer in PEERS:
            ratio = values["vornscript"] / values[peer]
            ratios[peer].append(ratio)
            row.append("%.2f" % ratio)
        rows.append(row)
    rows.append(["geometric mean"] + [""] * len(LANGUAGES)
                + ["%.2f" % geomean(ratios[peer]) for peer in PEERS])
    table(header, rows)
    return ratios


def main(directory):
    benchmarks = sorted(name[:-5] for name in os.listdir(directory)
                        if name.endswith(".json") and name != "startup.json")
    runs = {name: readrun(os.path.join(directory, name + ".json")) for name in benchmarks}
    seconds = lambda value: "%.3f s" % value

    wall = ratiotable("== median wall-clock time, ratio vornscript/peer (below 1: vornscript faster)",
                      benchmarks, runs, lambda run: run[0], seconds)
    print()
    ratiotable("== mean CPU time (user+system), ratio vornscript/peer",
               benchmarks, runs, lambda run: run[1], seconds)

    startup = readrun(os.path.join(directory, "startup.json"))
    print()
    print("== start-up, median wall-clock time (vornscript -script 1, lua5.4 -e '', "
          "python3 -c '', perl -e '')")
    table(LANGUAGES, [["%.1f ms" % (startup[language][0] * 1000) for language in LANGUAGES]],
          namecolumn=False)

    memory = {}
    for language in LANGUAGES:
        with open(os.path.join(directory, "memory.%s.kb" % language)) as handle:
            memory[language] = int(handle.read().strip())
    print()
    print("== peak resident memory, one million small numbers in a vector/list/table/array")
    table(LANGUAGES, [["%.1f MB" % (memory[language] / 1024) for language in LANGUAGES]],
          namecolumn=False)

    print()
    print("== goals")
    goals = [
        ("faster than CPython on every benchmark", max(wall["python"]) < 1),
        ("faster than Perl on every benchmark", max(wall["perl"]) < 1),
        ("geometric mean within 2x of Lua", geomean(wall["lua"]) <= 2),
        ("start-up no slower than lua5.4", startup["vornscript"][0] <= startup["lua"][0]),
        ("million-number vector no bigger than CPython's list",
         memory["vornscript"] <= memory["python"]),
    ]
    for text, met in goals:
        print("  %-52s %s" % (text, "met" if met else "NOT met"))


if __name__ == "__main__":
    main(sys.argv[1])
