#!/usr/bin/env python3
"""Runs the engine programs of bench/engine in Velmo, Tcl and Python.

Each program runs several times per language, the languages taking turns;
the best wall time counts.
Every printed result is checked against the figure the program must
produce, and a wrong or missing result is marked in the table.

With --callgrind each program runs once in Velmo and in Tcl under
valgrind's callgrind tool instead, and the table shows the instructions
executed (start-up included): unlike wall time, the count stays the same
on a machine that is busy with other work.

Usage: compare.py --velmo PATH/velmo-term [--runs N] [--timeout S]
                  [--callgrind] [NAME ...]
"""

import argparse
import os
import re
import tempfile
import shutil
import subprocess
import sys
import time

ENGINE_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "engine")

# Program name and the result it must print, in table order.
PROGRAMS = [
    ("loop", "5999995"),
    ("fib", "46368"),
    ("text", "244445"),
    ("array", "99900000"),
    ("objects", "300000"),
    ("incdec", "99900000"),
    ("compound", "5999995"),
    ("retbranch", "46368"),
    ("member", "300000"),
    ("args", "2499994"),
    ("textarray", "90000"),
    ("switch", "675000"),
    ("fetch", "13400"),
    ("textfn", "1788890"),
]


class Outcome:
    """Best time of one program in one language, and what went wrong."""

    def __init__(self):
        self.best = None
        self.problem = None

    def cell(self):
        if self.best is None:
            return "-"
        mark = " !" if self.problem else ""
        return "%.3f%s" % (self.best, mark)


def languages(velmo):
    """Command line for each language, given the program's base path."""
    return [
        ("Velmo", lambda base: [velmo, "--run", base + ".velmo"]),
        ("Tcl", lambda base: ["tclsh", base + ".tcl"]),
        ("Python", lambda base: [sys.executable, base + ".py"]),
    ]


def short(text, limit=60):
    text = text.strip().replace("\n", " | ")
    return text if len(text) <= limit else text[:limit] + "..."


def run_once(command, expected, timeout, outcome):
    """Runs command once into outcome; False when it gave no result."""
    start = time.perf_counter()
    try:
        done = subprocess.run(command, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=timeout)
    except subprocess.TimeoutExpired:
        outcome.problem = "no result within %g s" % timeout
        return False
    except OSError as error:
        outcome.problem = "cannot start: %s" % error
        return False
    elapsed = time.perf_counter() - start
    out = done.stdout.decode("utf-8", "replace")
    if done.returncode != 0:
        outcome.problem = "exit code %d: %s" % (
            done.returncode,
            short(out + done.stderr.decode("utf-8", "replace")))
        return False
    if out.strip() != expected:
        outcome.problem = "printed '%s', expected %s" % (short(out), expected)
    if outcome.best is None or elapsed < outcome.best:
        outcome.best = elapsed
    return True


def measure(commands, expected, runs, timeout):
    """Runs each language's command once per round, for runs rounds.

    The languages take turns, so that a spell of load on the machine
    meets all of them alike instead of the runs of one. A language stops
    after a run that gave no result.
    """
    outcomes = {lang: Outcome() for lang in commands}
    stopped = set()
    for _ in range(runs):
        for lang, command in commands.items():
            if lang not in stopped and not run_once(command, expected, timeout,
                                                    outcomes[lang]):
                stopped.add(lang)
    return outcomes


def count_instructions(command, expected, timeout):
    """Instructions that command executes under callgrind, or a problem text."""
    with tempfile.TemporaryDirectory() as folder:
        out_file = os.path.join(folder, "callgrind.out")
        try:
            done = subprocess.run(
                ["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out_file]
                + command, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                timeout=timeout)
        except subprocess.TimeoutExpired:
            return None, "no result within %g s" % timeout
        except OSError as error:
            return None, "cannot start valgrind: %s" % error
        out = done.stdout.decode("utf-8", "replace")
        if done.returncode != 0 or out.strip() != expected:
            return None, "printed '%s', expected %s" % (short(out), expected)
        with open(out_file, encoding="utf-8", errors="replace") as profile:
            for line in profile:
                match = re.match(r"(?:summary|totals):\s+(\d+)", line)
                if match:
                    return int(match.group(1)), None
    return None, "no instruction count in callgrind's output"


def callgrind_table(names, expected, velmo, timeout):
    """Instruction counts of Velmo and Tcl; returns the problems found."""
    problems = []
    print("instructions executed (callgrind), in millions")
    print("%-10s %10s %10s %9s" % ("program", "Velmo", "Tcl", "Velmo/Tcl"))
    for name in names:
        base = os.path.join(ENGINE_DIR, name)
        counts = []
        for lang, command in [("Velmo", [velmo, "--run", base + ".velmo"]),
                              ("Tcl", ["tclsh", base + ".tcl"])]:
            print("counting %s (%s) ..." % (name, lang), file=sys.stderr, flush=True)
            count, problem = count_instructions(command, expected[name], timeout)
            counts.append(count)
            if problem:
                problems.append("%s (%s): %s" % (name, lang, problem))
        cells = ["%.0f" % (c / 1e6) if c else "-" for c in counts]
        ratio = "%.2f" % (counts[0] / counts[1]) if all(counts) else "-"
        print("%-10s %10s %10s %9s" % (name, cells[0], cells[1], ratio))
    return problems


def velmo_problem(velmo):
    """Why the Velmo programs cannot run at all, or None."""
    if not os.access(velmo, os.X_OK):
        return "%s not built" % velmo
    return None


def print_table(names, results, langs):
    header = ["program"] + ["%s s" % lang for lang, _ in langs] + ["Velmo/Tcl"]
    rows = []
    for name in names:
        cells = [results[name][lang].cell() for lang, _ in langs]
        velmo, tcl = results[name]["Velmo"], results[name]["Tcl"]
        if velmo.best and tcl.best and not velmo.problem and not tcl.problem:
            ratio = "%.1f" % (velmo.best / tcl.best)
        else:
            ratio = "-"
        rows.append([name] + cells + [ratio])
    widths = [max(len(row[i]) for row in rows + [header]) for i in range(len(header))]
    for row in [header] + rows:
        first = row[0].ljust(widths[0])
        rest = [cell.rjust(width) for cell, width in zip(row[1:], widths[1:])]
        print("  ".join([first] + rest))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--velmo", required=True, help="path of velmo-term")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--timeout", type=float, default=300.0,
                        help="seconds one run may take")
    parser.add_argument("--callgrind", action="store_true",
                        help="count instructions under callgrind instead of timing")
    parser.add_argument("names", nargs="*", help="programs to run (default: all)")
    args = parser.parse_args()

    known = [name for name, _ in PROGRAMS]
    unknown = [name for name in args.names if name not in known]
    if unknown:
        parser.error("unknown program %s (known: %s)" % (", ".join(unknown), ", ".join(known)))
    names = args.names or known
    expected = dict(PROGRAMS)
    if shutil.which("tclsh") is None:
        print("tclsh not found; the Tcl column stays empty", file=sys.stderr)

    skip_velmo = velmo_problem(args.velmo)
    if args.callgrind:
        if skip_velmo:
            print("Velmo not measured: %s" % skip_velmo)
            return 1
        problems = callgrind_table(names, expected, args.velmo, args.timeout * 50)
        for problem in problems:
            print("MISMATCH %s" % problem)
        return 1 if problems else 0

    langs = languages(args.velmo)
    results = {}
    problems = []
    for name in names:
        base = os.path.join(ENGINE_DIR, name)
        commands = {lang: command(base) for lang, command in langs
                    if not (lang == "Velmo" and skip_velmo)}
        print("running %s ..." % name, file=sys.stderr, flush=True)
        results[name] = measure(commands, expected[name], args.runs, args.timeout)
        for lang, outcome in results[name].items():
            if outcome.problem:
                problems.append("%s (%s): %s" % (name, lang, outcome.problem))
        if skip_velmo:
            results[name]["Velmo"] = Outcome()
            results[name]["Velmo"].problem = skip_velmo

    print("best of %d runs, wall time in seconds" % args.runs)
    print_table(names, results, langs)
    if skip_velmo:
        print("Velmo not measured: %s" % skip_velmo)
    for problem in problems:
        print("MISMATCH %s" % problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
