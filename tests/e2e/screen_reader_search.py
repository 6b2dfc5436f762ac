#!/usr/bin/python3
"""Searches a city in the real program as a screen reader user would, over AT-SPI, and
compares what the reader hears with dravelin-recherche on the same file.

Usage: screen_reader_search.py DRAVELIN_RECHERCHE DIRECTORY_FILE CITY
The program must already be starting on the accessibility bus."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

START_UP_BOUND = 60.0  # seconds for the program to appear on the bus
POLL = 0.1


announced = []  # names announced by the program as they changed
focus_moves = []  # names of the controls that announced taking the focus


def on_event(event):
    if event.type.startswith("object:property-change:accessible-name"):
        announced.append(event.source.name)
    elif event.detail1:
        focus_moves.append(event.source.name)


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def poll(what, find, bound=START_UP_BOUND):
    deadline = time.monotonic() + bound
    while time.monotonic() < deadline:
        pump()
        found = find()
        if found is not None:
            return found
        time.sleep(POLL)
    sys.exit(f"timed out waiting for {what}")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Dravelin":
            return app
    return None


def descendant(root, role, name=None):
    def matches(acc):
        return acc is not None and acc.getRoleName() == role and (name is None or acc.name == name)
    return pyatspi.findDescendant(root, matches, True)


def type_text(text):
    for char in text:
        pyatspi.Registry.generateKeyboardEvent(ord(char), None, pyatspi.KEY_SYM)


def main():
    recherche, directory_file, city = sys.argv[1:4]
    pyatspi.Registry.registerEventListener(on_event, "object:property-change:accessible-name",
                                           "object:state-changed:focused")
    app = poll("the program on the accessibility bus", application)
    window = poll("the main window", lambda: descendant(app, "frame"))

    ville = poll("the Ville button", lambda: descendant(window, "radio button", "Ville"))
    # Without a window manager nothing gives the window the focus: click, as a user would.
    # Until the registry has taken this script's listeners, events are lost: click again
    # until the focus move to the query box is heard. The program sends only the events it
    # has heard that someone listens to; when it missed the news of the focus listener, the
    # listener is registered anew, and the focus first goes to the result list, so that the
    # click on Ville moves it again.
    box = ville.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    query = poll("the query box", lambda: descendant(window, "text", "Requête"))
    elsewhere = poll("the result list", lambda: descendant(window, "list", "Résultats")) \
        .queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    deadline = time.monotonic() + START_UP_BOUND
    first_try = True
    while "Requête" not in focus_moves:
        if time.monotonic() > deadline:
            sys.exit("timed out waiting for the query box to announce the focus")
        if not first_try:
            pyatspi.Registry.deregisterEventListener(on_event, "object:state-changed:focused")
            pyatspi.Registry.registerEventListener(on_event, "object:state-changed:focused")
            pyatspi.Registry.generateMouseEvent(elsewhere.x + elsewhere.width // 2,
                                                elsewhere.y + elsewhere.height // 2, "b1c")
            pump()
        first_try = False
        pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "b1c")
        end = time.monotonic() + 2
        while time.monotonic() < end and "Requête" not in focus_moves:
            pump()
            time.sleep(POLL)

    type_text(city.lower())
    typed = query.queryText()
    poll("the typed city in capitals",
         lambda: True if typed.getText(0, -1) == city.upper() else None, bound=20)
    pyatspi.Registry.generateKeyboardEvent(0xFF0D, None, pyatspi.KEY_SYM)  # Return

    expected = subprocess.run([recherche, directory_file, "ville", city.upper()], check=True,
                              capture_output=True).stdout.decode("windows-1252").split("\r\n")
    expected_lines, expected_count = expected[:-2], expected[-2]

    results = descendant(window, "list", "Résultats")
    count = poll("the count caption",
                 lambda: descendant(window, "panel", expected_count), bound=30)
    poll("the count announced", lambda: True if expected_count in announced else None, bound=30)
    heard = poll("the result lines",
                 lambda: [results.getChildAtIndex(i).name for i in range(results.childCount)]
                 if results.childCount == len(expected_lines) else None, bound=30)

    if heard != expected_lines:
        for i, (h, e) in enumerate(zip(heard, expected_lines)):
            if h != e:
                sys.exit(f"line {i} differs:\n heard    {h!r}\n expected {e!r}")
        sys.exit(f"{len(heard)} lines heard, {len(expected_lines)} expected")
    print(f"heard {len(heard)} lines and the announced caption {count.name!r}, as dravelin-recherche prints them")


if __name__ == "__main__":
    main()
