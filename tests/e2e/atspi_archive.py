#!/usr/bin/python3
# Reads a window of a running Plicario over the AT-SPI bus, as a screen reader does, and works it through the bus
# alone: types into fields, presses a button, and reads the card position the window then speaks. Prints one JSON
# object on standard output:
#   {"role": "frame", "names": [...], "position": "Scheda 1"}
# Usage: atspi_archive.py TITLE [--set FIELD=TEXT]... [--press BUTTON] [--position TEXT]
#   TITLE is the window's exact title, FIELD and BUTTON accessible names ("Nome etichetta=Rossi Mario", "Salva");
#   with --position the reader waits until the card position reads TEXT ("Scheda 1") and reports what it last read.
import argparse
import json
import re
import sys
import time

import pyatspi

SECONDS = 30
POSITION = re.compile(r"^Scheda (nuova|\d+)$")


def poll(found, seconds=SECONDS):
    """The first true value of found() within the time given, asked every 50 ms; else None."""
    end = time.monotonic() + seconds
    while True:
        value = found()
        if value or time.monotonic() > end:
            return value or None
        time.sleep(0.05)


def shown_window(title):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None:
            continue
        for window in app:
            if window is not None and window.name == title and window.getState().contains(pyatspi.STATE_SHOWING):
                return window
    return None


def walk(node, out):
    for child in node:
        if child is None:
            continue
        out.append(child)
        walk(child, out)


def editable(node):
    return "EditableText" in pyatspi.listInterfaces(node)


def press_index(node):
    if "Action" not in pyatspi.listInterfaces(node):
        return -1
    action = node.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    return names.index("press") if "press" in names else -1


def press(node):
    """Presses a button. The program answers before it acts, so a press that opens a message box returns at once."""
    node.queryAction().doAction(press_index(node))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("title")
    parser.add_argument("--set", action="append", default=[], metavar="FIELD=TEXT")
    parser.add_argument("--press", metavar="BUTTON")
    parser.add_argument("--position", metavar="TEXT")
    args = parser.parse_args()

    def fail(result, message):
        result["error"] = message
        print(json.dumps(result))
        return 1

    window = poll(lambda: shown_window(args.title))
    if window is None:
        return fail({}, "no window named " + args.title)
    nodes = []
    walk(window, nodes)
    result = {"role": window.getRoleName(), "names": [n.name for n in nodes if n.name]}

    def named(name, usable):
        return next((n for n in nodes if n.name == name and usable(n)), None)

    for pair in args.set:
        name, text = pair.split("=", 1)
        field = named(name, editable)
        if field is None:
            return fail(result, "no field named " + name)
        field.queryEditableText().setTextContents(text)

    if args.press is not None:
        button = named(args.press, lambda n: press_index(n) >= 0)
        if button is None:
            return fail(result, "no button named " + args.press)
        press(button)

    if args.position is not None:
        labels = [n for n in nodes if n.getRoleName() == "label" and POSITION.match(n.name or "")]
        if len(labels) != 1:
            return fail(result, "%d card positions" % len(labels))
        poll(lambda: labels[0].name == args.position)
        result["position"] = labels[0].name
    print(json.dumps(result), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
