#!/usr/bin/env python3
"""Checks the day's log file that the program wrote during a read of all
settings against what the unit holds.

  check-log.py LOGFILE UNIT_ROWS.json [--non-ascii]

UNIT_ROWS.json is pagerbench-cli's `read --json` of the same unit. The log
must be Windows-1252 with CR LF line ends, and name every item the unit
holds with the unit's value, once. --non-ascii: the log must hold a character
beyond ASCII (a language with accents), so that its encoding is seen."""
import argparse
import json
import re
import sys

READ_ROW = re.compile(rb"\[Item: (\d+) [A-Za-z]+: (-?\d+)\]")  # "Value" is translated
UTF8_SEQUENCE = re.compile(rb"[\xC2-\xF4][\x80-\xBF]+")


def problems(log, unit_rows, need_non_ascii):
    found = []
    if not log:
        return ["the log is empty"]
    crlf = log.count(b"\r\n")
    if log.count(b"\n") != crlf or log.count(b"\r") != crlf:
        found.append("%d line end(s) other than CR LF" % (log.count(b"\n") + log.count(b"\r") - 2 * crlf))
    if not log.endswith(b"\r\n"):
        found.append("the last line has no CR LF")
    for match in UTF8_SEQUENCE.finditer(log):
        found.append("a UTF-8 sequence %r at byte %d" % (match.group(0), match.start()))
    try:
        log.decode("cp1252")
    except UnicodeDecodeError as error:
        found.append("not Windows-1252: %s" % error)
    if need_non_ascii and not re.search(rb"[\x80-\xFF]", log):
        found.append("no character beyond ASCII, so the encoding was not seen")

    read = {}
    for match in READ_ROW.finditer(log):
        item, value = int(match.group(1)), int(match.group(2))
        if item in read:
            found.append("item %d read twice" % item)
        read[item] = value
    expected = {row["item"]: row["value"] for row in unit_rows}
    for item in sorted(expected.keys() - read.keys()):
        found.append("item %d: not read (the unit holds %d)" % (item, expected[item]))
    for item in sorted(read.keys() - expected.keys()):
        found.append("item %d: read %d, but the unit has no such item" % (item, read[item]))
    for item in sorted(expected.keys() & read.keys()):
        if read[item] != expected[item]:
            found.append("item %d: read %d, the unit holds %d" % (item, read[item], expected[item]))
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("log")
    parser.add_argument("unit_rows")
    parser.add_argument("--non-ascii", action="store_true")
    args = parser.parse_args()
    with open(args.log, "rb") as f:
        log = f.read()
    with open(args.unit_rows, encoding="utf-8") as f:
        unit_rows = json.load(f)["rows"]
    found = problems(log, unit_rows, args.non_ascii)
    for line in found:
        print("log: " + line)
    if found:
        return 1
    print("log: %d rows read as the unit holds them, CR LF, Windows-1252" % len(unit_rows))
    return 0


if __name__ == "__main__":
    sys.exit(main())
