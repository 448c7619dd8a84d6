#!/usr/bin/python3
"""Reads the "On the Air Now" window of a running Quillard through AT-SPI,
for test_on_air_now.sh, which clicks and types with xdotool. Every command
waits (up to ten seconds) for what it reads, and prints it:

  rows                  each row of the schedule, its cells joined by " | "
  rows-are FILE         waits until the rows are the lines of FILE, then prints them
  status-is TEXT        waits until the status line reads TEXT
  where NAME            the screen centre "x y" of the control or cell named NAME
  message               the text of the message box over the window
  no-message            waits until no message box is open
  serve                 answers these commands, one a line on its input (the
                        words apart by tabs), each answer ended by a line of
                        ASCII EOT and the command's status: one reader for
                        all of a test's questions, without a start each

AT-SPI keeps what it read of the program; each reading forgets it first,
so a reader that serves several commands reads the window as it is now.
"""
import sys
import time

import pyatspi

TITLE = "On the Air Now"
STATUS = "Status"


def walk(node):
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def windows():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None or app.name != "Quillard":
            continue
        for window in app:
            if window is not None:
                yield window


class Failure(Exception):
    pass


def until(find, what, seconds=10):
    """What find() returns once it is not None; what() says why it never was."""
    deadline = time.time() + seconds
    while True:
        try:
            pyatspi.Registry.getDesktop(0).clearCache()
            found = find()
        except Exception:  # a window or a cell that went while it was read
            found = None
        if found is not None:
            return found
        if time.time() > deadline:
            raise Failure(what())
        time.sleep(0.1)


def schedule_window():
    for window in windows():
        if window.name == TITLE:
            return window
    return None


def table_rows():
    window = schedule_window()
    if window is None:
        return None
    tables = [node for node in walk(window) if node.getRoleName() == "table"]
    if not tables:
        return None
    table = tables[0].queryTable()
    rows = []
    for row in range(table.nRows):
        cells = [table.getAccessibleAt(row, column) for column in range(table.nColumns)]
        rows.append(" | ".join(cell.name if cell is not None else "?" for cell in cells))
    return rows


def status_text():
    window = schedule_window()
    if window is None:
        return None
    for node in walk(window):
        if node.getRoleName() == "label" and node.description == STATUS:
            return node.name
    return None


def centre(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return "%d %d" % (box.x + box.width // 2, box.y + box.height // 2)


def named(name):
    window = schedule_window()
    if window is None:
        return None
    for node in walk(window):
        if node.name == name and node.getRoleName() != "table column header":
            return node
    return None


def message():
    for window in windows():
        if window.getRoleName() in ("alert", "dialog") and window.name == "Quillard":
            texts = [node.name for node in walk(window)
                     if node.getRoleName() == "label" and node.name]
            if texts:
                return "\n".join(texts)
    return None


def answer(command, arguments):
    """The answer to one command, as it is printed."""
    if command == "rows":
        return "\n".join(until(table_rows, lambda: "no schedule table"))
    if command == "rows-are":
        with open(arguments[0], encoding="utf-8") as wanted_file:
            wanted = wanted_file.read().splitlines()
        seen = []

        def matching():
            seen[:] = table_rows() or []
            return seen if seen == wanted else None

        until(matching, lambda: "the rows are:\n%s\nexpected:\n%s"
              % ("\n".join(seen), "\n".join(wanted)))
        return "\n".join(seen)
    if command == "status-is":
        seen = [None]

        def matching():
            seen[0] = status_text()
            return seen[0] if seen[0] == arguments[0] else None

        until(matching, lambda: "the status line reads %r, expected %r" % (seen[0], arguments[0]))
        return seen[0]
    if command == "where":
        return centre(until(lambda: named(arguments[0]), lambda: "nothing named %r" % arguments[0]))
    if command == "message":
        return until(message, lambda: "no message box")
    if command == "no-message":
        until(lambda: True if message() is None else None, lambda: "a message box stays open")
        return None
    raise Failure("unknown command %s" % command)


def serve():
    for line in sys.stdin:
        words = line.rstrip("\n").rstrip("\t").split("\t")
        status = 0
        try:
            text = answer(words[0], words[1:])
            if text is not None:
                print(text)
        except Failure as failure:
            print("FAIL: %s" % failure, file=sys.stderr)
            status = 1
        except Exception as error:  # a file that cannot be read, a question unanswered
            print("FAIL: %s: %s" % (words[0], error), file=sys.stderr)
            status = 1
        print("\x04%d" % status, flush=True)


def main():
    if sys.argv[1] == "serve":
        serve()
        return
    try:
        text = answer(sys.argv[1], sys.argv[2:])
    except Failure as failure:
        print("FAIL: %s" % failure, file=sys.stderr)
        sys.exit(2 if str(failure).startswith("unknown command") else 1)
    if text is not None:
        print(text)


main()
