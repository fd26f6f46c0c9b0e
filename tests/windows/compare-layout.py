#!/usr/bin/env python3
"""Compares two dumps of pagerbench-layoutdump: the main window as Windows
builds it against the window that Linux builds.

  compare-layout.py REFERENCE.json OTHER.json [--tolerance PX] [--scale FACTOR]

Every control has a fixed place in the window's design, so the two windows
must hold the same named controls, of the same classes, shown or hidden
alike, each within the tolerance of its place and size. The one part whose
size follows the system's font is the menu bar: it moves everything below
it and sets the window's height (client 1016x660 plus the bar). A bar of
another font is a few pixels taller or shorter (19 px offscreen on Linux; 22
under Wine when it fell back on a serif face); a control put elsewhere by a
style or a layout is off by more. Hence 4 px by default, for every control
and for the window's height; the window's width is fixed and must be equal.

With --scale, OTHER is the window on a screen scaled by FACTOR: in device
pixels it must be REFERENCE times FACTOR, with no text past its box (on
hidden pages too).
Exits 1 with one line for each difference."""
import argparse
import json
import sys

FIELDS = ("x", "y", "width", "height")


def in_device_pixels(dump, factor):
    """The dump with every place and size multiplied by factor, rounded."""
    scaled = {"window": dict(dump["window"]), "widgets": {}}
    for field in ("width", "height"):
        scaled["window"][field] = round(dump["window"][field] * factor)
    for path, widget in dump["widgets"].items():
        scaled["widgets"][path] = dict(widget, **{f: round(widget[f] * factor) for f in FIELDS})
    return scaled


def cut_texts(dump):
    return ["%s: its text runs past its box" % path for path, widget in sorted(dump["widgets"].items())
            if not widget.get("textFits", True)]


def differences(reference, other, tolerance):
    found = []
    ref_window, other_window = reference["window"], other["window"]
    if (ref_window["width"] != other_window["width"]
            or abs(ref_window["height"] - other_window["height"]) > tolerance):
        found.append("window: %dx%d, expected %dx%d (height within %d px)"
                     % (other_window["width"], other_window["height"], ref_window["width"],
                        ref_window["height"], tolerance))
    ref_widgets, other_widgets = reference["widgets"], other["widgets"]
    for path in sorted(ref_widgets.keys() - other_widgets.keys()):
        found.append("%s: missing" % path)
    for path in sorted(other_widgets.keys() - ref_widgets.keys()):
        found.append("%s: not in the reference" % path)
    for path in sorted(ref_widgets.keys() & other_widgets.keys()):
        expected, actual = ref_widgets[path], other_widgets[path]
        if expected["class"] != actual["class"]:
            found.append("%s: class %s, expected %s" % (path, actual["class"], expected["class"]))
        if expected["visible"] != actual["visible"]:
            found.append("%s: %s, expected %s" % (path, shown(actual), shown(expected)))
        off = [f for f in FIELDS if abs(actual[f] - expected[f]) > tolerance]
        if off:
            found.append("%s: %s, expected %s (%s beyond %d px)"
                         % (path, box(actual), box(expected), ", ".join(off), tolerance))
    return found


def largest_difference(reference, other):
    ref_widgets, other_widgets = reference["widgets"], other["widgets"]
    return max((abs(other_widgets[p][f] - ref_widgets[p][f])
                for p in ref_widgets.keys() & other_widgets.keys() for f in FIELDS), default=0)


def shown(widget):
    return "shown" if widget["visible"] else "hidden"


def box(widget):
    return "%d,%d %dx%d" % tuple(widget[f] for f in FIELDS)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("reference")
    parser.add_argument("other")
    parser.add_argument("--tolerance", type=int, default=4)
    parser.add_argument("--scale", type=float)
    args = parser.parse_args()
    with open(args.reference, encoding="utf-8") as f:
        reference = json.load(f)
    with open(args.other, encoding="utf-8") as f:
        other = json.load(f)
    found = []
    if args.scale:
        ratio = other["window"].get("devicePixelRatio", 1)
        if abs(ratio - args.scale) > 0.01:
            found.append("devicePixelRatio %g, expected %g" % (ratio, args.scale))
        reference = in_device_pixels(reference, args.scale)
        other = in_device_pixels(other, ratio)
        found += cut_texts(other)
    found += differences(reference, other, args.tolerance)
    for line in found:
        print(line)
    if found:
        print("layout: %d difference(s) in %d controls" % (len(found), len(reference["widgets"])),
              file=sys.stderr)
        return 1
    print("layout: %d controls within %d px (largest difference %d px), window %dx%d against %dx%d"
          % (len(reference["widgets"]), args.tolerance, largest_difference(reference, other),
             other["window"]["width"], other["window"]["height"], reference["window"]["width"],
             reference["window"]["height"]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
