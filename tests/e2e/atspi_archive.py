#!/usr/bin/python3
# Reads the address archive window of a running Plicario over the AT-SPI bus, as a screen reader does, and saves a
# card through the bus alone. Prints one JSON object on standard output:
#   {"role": "frame", "names": [...], "pressed": true}
# Usage: atspi_archive.py FIELD=TEXT...   (FIELD is an accessible name: "Nome etichetta=Rossi Mario")
import json
import sys
import threading
import time

import pyatspi

WINDOW = "Archivio Indirizzi"


def find_window(seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is None:
                continue
            for window in app:
                if window is not None and WINDOW in (window.name or ""):
                    return window
        time.sleep(0.5)
    return None


def walk(node, out):
    for child in node:
        if child is None:
            continue
        out.append(child)
        walk(child, out)


def action_index(node, wanted):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() == wanted:
            return i
    return -1


def main():
    window = find_window()
    if window is None:
        print(json.dumps({"error": "no window named " + WINDOW}))
        return 1
    nodes = []
    walk(window, nodes)
    result = {"role": window.getRoleName(), "names": [n.name for n in nodes if n.name]}

    by_name = {}
    for n in nodes:
        by_name.setdefault(n.name, n)
    for pair in sys.argv[1:]:
        name, text = pair.split("=", 1)
        field = by_name.get(name)
        if field is None:
            result["error"] = "no control named " + name
            print(json.dumps(result))
            return 1
        field.queryEditableText().setTextContents(text)

    save = by_name.get("Salva")
    index = action_index(save, "press") if save is not None else -1
    if index < 0:
        result["error"] = "Salva has no press action"
        print(json.dumps(result))
        return 1
    # The press opens a message box; the bus answers only once the box closes, so nobody waits for the answer.
    threading.Thread(target=lambda: save.queryAction().doAction(index), daemon=True).start()
    time.sleep(1)
    result["pressed"] = True
    print(json.dumps(result), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
