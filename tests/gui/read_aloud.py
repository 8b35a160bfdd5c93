#!/usr/bin/python3
"""Reads the running sheet through the accessibility bus, as a screen reader does, one page at a time.

Usage: read_aloud.py EXPECTATIONS [DUMP_DIR]

Selects each tab of the sheet through the bus, writes what a reader finds on the page (one object a
line: role, "name", [description]) to DUMP_DIR/<page>.txt, and checks
- that no object a reader lands on is an unnamed, empty pane (a window drawn without an accessible name);
- the lines of EXPECTATIONS: `Page caption | regular expression`, each of which some line of that page
  must match. A page named there must exist. Lines starting with # are comments.
Exits 0 when all holds, 1 with the reasons otherwise.
"""
import os
import re
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

SHEET_TITLE = "Vext v1.0"
TIMEOUT = 60.0  # seconds for the sheet to appear and a tab to be selected
SETTLE = 20.0  # seconds at most for a page to fill (the benchmark pages measure the clock as they open)
# Roles of windows that hold no text of their own: unnamed and without children, a reader says nothing.
SILENT_ROLES = {"panel", "filler", "scroll pane", "drawing area", "canvas", "unknown", "table",
                "tree table", "list", "list box", "layered pane", "viewport"}


def fail(message):
    print("read_aloud: " + message)
    sys.exit(1)


def wait_for(what, find, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            found = find()
        except gi.repository.GLib.Error:
            found = None
        if found:
            return found
        time.sleep(0.1)
    fail("timed out after %.0f s waiting for %s" % (timeout, what))


def children(obj):
    return [c for c in (obj.get_child_at_index(i) for i in range(obj.get_child_count())) if c is not None]


def find(obj, predicate):
    if predicate(obj):
        return obj
    for child in children(obj):
        hit = find(child, predicate)
        if hit:
            return hit
    return None


def sheet_frame():
    desktop = Atspi.get_desktop(0)
    for app in children(desktop):
        frame = find(app, lambda o: o.get_role_name() == "frame" and o.get_name() == SHEET_TITLE)
        if frame:
            return frame
    return None


def one_line(text):
    return "; ".join(part.strip() for part in (text or "").splitlines() if part.strip())


def read_page(obj, depth, lines, silent, path=()):
    role, name, description = obj.get_role_name(), obj.get_name() or "", obj.get_description() or ""
    line = '%s%s "%s"' % ("  " * depth, role, name)
    if description:
        line += " [%s]" % one_line(description)
    lines.append(line)
    kids = children(obj)
    if not kids and not name and not description and role in SILENT_ROLES:
        silent.append(" in ".join((line.strip(),) + path[::-1][:2]))
    for kid in kids:
        read_page(kid, depth + 1, lines, silent, path + (line.strip(),))


def read_settled(tab):
    # A page fills its values when first shown: read until two readings half a second apart agree. A
    # page whose values keep changing (a live clock) is read as it stands after SETTLE seconds.
    previous = None
    deadline = time.monotonic() + SETTLE
    while True:
        lines, silent = [], []
        try:
            for child in children(tab):
                read_page(child, 0, lines, silent)
        except gi.repository.GLib.Error:
            lines = None  # an object went away while it was read: read again
        if lines is not None and (lines == previous or time.monotonic() > deadline):
            return lines, silent
        previous = lines
        time.sleep(0.5)


def load_expectations(path):
    expected = {}
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            text = raw.strip()
            if not text or text.startswith("#"):
                continue
            page, sep, pattern = text.partition(" | ")
            if not sep:
                fail("%s:%d: not `Page | expression`" % (path, number))
            expected.setdefault(page.strip(), []).append(re.compile(pattern))
    return expected


def main():
    if len(sys.argv) < 2:
        fail("usage: read_aloud.py EXPECTATIONS [DUMP_DIR]")
    expected = load_expectations(sys.argv[1])
    dump_dir = sys.argv[2] if len(sys.argv) > 2 else None
    frame = wait_for("the sheet %r on the accessibility bus" % SHEET_TITLE, sheet_frame)
    tabs_list = wait_for("the sheet's tabs", lambda: find(frame, lambda o: o.get_role_name() == "page tab list"))
    tabs = children(tabs_list)
    problems = []
    seen = set()
    for index, tab in enumerate(tabs):
        page = tab.get_name()
        seen.add(page)
        if not Atspi.Selection.select_child(tabs_list, index):
            problems.append("%s: the tab could not be selected through the bus" % page)
            continue
        wait_for("the tab %r to be selected" % page,
                 lambda: tab.get_state_set().contains(Atspi.StateType.SELECTED))
        lines, silent = read_settled(tab)
        if dump_dir:
            os.makedirs(dump_dir, exist_ok=True)
            with open(os.path.join(dump_dir, re.sub(r"\W+", "-", page) + ".txt"), "w", encoding="utf-8") as f:
                f.write("\n".join(lines) + "\n")
        for line in silent:
            problems.append("%s: a reader finds nothing to say for `%s`" % (page, line))
        for pattern in expected.get(page, []):
            if not any(pattern.search(line.strip()) for line in lines):
                problems.append("%s: no object reads as /%s/" % (page, pattern.pattern))
    for page in sorted(set(expected) - seen):
        problems.append("%s: the sheet has no such page (pages: %s)" % (page, ", ".join(t.get_name() for t in tabs)))
    for problem in problems:
        print(problem)
    print("read %d pages, %d problems%s" % (len(tabs), len(problems), "; the pages are in " + dump_dir if dump_dir else ""))
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
