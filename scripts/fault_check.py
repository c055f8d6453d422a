"""Checks the rows of a fault run against what the stand-in served for each number.

A number whose page was dropped, stalled past the time-out, answered with a server
error or with garbage must end in the failure row; a page without result in
"单号无结果！"; any other page (huge ones too) in its own last entry.
"""
import collections
import sys

FAILED, NO_RESULT = "查询失败", "单号无结果！"
FAULTS = {"drop", "stall", "server-error", "garbage"}


def expected_state(outcome, last_text):
    if outcome in FAULTS:
        return FAILED
    return NO_RESULT if not last_text else "result"


def main(numbers_path, rows_path, served_path):
    numbers = open(numbers_path, encoding="utf-8").read().split()
    rows = [line.rstrip("\n").split("\t") for line in open(rows_path, encoding="utf-8")]
    served_lines = open(served_path, encoding="utf-8").read().splitlines()
    served_counts = {}
    served = {}
    for line in served_lines:
        fields = line.split("\t")
        if len(fields) == 1:
            name, value = line.rsplit(" ", 1)
            served_counts[name] = int(value)
        else:
            served[fields[0]] = (fields[1], fields[2])  # the latest page for the number

    problems = []
    if len(rows) != len(numbers):
        problems.append(f"{len(rows)} rows for {len(numbers)} numbers")
    states = collections.Counter()
    for number, row in zip(numbers, rows):
        if len(row) != 6 or row[2] != number:
            problems.append(f"{number}: malformed row {row!r}")
            continue
        state = row[5]
        states[state or "(blank)"] += 1
        if number not in served:
            problems.append(f"{number}: the stand-in served no page for it; row state {state!r}")
            continue
        outcome, last_text = served[number]
        want = expected_state(outcome, last_text)
        if want == "result":
            ok = state not in ("", FAILED, NO_RESULT) and row[4].endswith(last_text)
        else:
            ok = state == want
        if not ok:
            problems.append(f"{number}: served {outcome}, row {row[3:]!r}")

    print("rows per state:     " + ", ".join(f"{k} {v}" for k, v in sorted(states.items())))
    print("stand-in served:    " + ", ".join(f"{k} {v}" for k, v in served_counts.items()))
    for problem in problems[:20]:
        print("FAIL: " + problem)
    if problems:
        print(f"FAIL: {len(problems)} rows do not match what was served")
        return 1
    print(f"OK: all {len(rows)} rows match what the stand-in served")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
