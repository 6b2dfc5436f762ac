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


EVENTS = ("object:property-change:accessible-name", "object:state-changed:showing", "object:state-changed:focused")
announced = []  # names announced by the program as they changed
notified = []  # names of the notifications that appeared, as screen readers speak them
focus_moves = []  # names of the controls that announced taking the focus


def on_event(event):
    if event.type.startswith("object:property-change:accessible-name"):
        announced.append(event.source.name)
    elif event.type.startswith("object:state-changed:showing"):
        if event.detail1 and event.source.getRoleName() == "notification":
            notified.append(event.source.name)
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


def shown_notice(app, name):
    notice = descendant(app, "notification", name)
    return notice is not None and notice.getState().contains(pyatspi.STATE_SHOWING)


def listen_anew():
    """A program that asked the registry for the listeners just before some of this script's
    were registered, and began to hear of new ones just after, never sends those events: once
    the program shows its window, the same listeners registered again are news it hears."""
    pyatspi.Registry.deregisterEventListener(on_event, *EVENTS)
    pyatspi.Registry.registerEventListener(on_event, *EVENTS)


def type_text(text):
    for char in text:
        pyatspi.Registry.generateKeyboardEvent(ord(char), None, pyatspi.KEY_SYM)


def main():
    recherche, directory_file, city = sys.argv[1:4]
    pyatspi.Registry.registerEventListener(on_event, *EVENTS)
    app = poll("the program on the accessibility bus", application)
    window = poll("the main window", lambda: descendant(app, "frame"))
    listen_anew()

    nom = poll("the Nom button", lambda: descendant(window, "radio button", "Nom"))
    ville = poll("the Ville button", lambda: descendant(window, "radio button", "Ville"))
    query = poll("the query box", lambda: descendant(window, "text", "Requête"))

    def click(button):
        box = button.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)  # until mapped, it may move
        pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "b1c")

    def wait_for(condition, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end and not condition():
            pump()
            time.sleep(POLL)
        return condition()

    # Events sent before the registry has taken this script's listeners are lost, and no
    # window manager gives the window the keyboard focus: pick Nom then Ville, as a user
    # would, until the prompt's change is heard and the query box holds the focus.
    deadline = time.monotonic() + START_UP_BOUND
    while True:
        if time.monotonic() > deadline:
            sys.exit(f"timed out waiting for the query box (heard {announced}, focus moves {focus_moves})")
        click(nom)
        click(ville)
        heard = wait_for(lambda: "Entrez une ville : " in announced, 2)
        focused = wait_for(lambda: query.getState().contains(pyatspi.STATE_FOCUSED), 2)
        if heard and focused:
            break
        if not heard:
            listen_anew()
        if not focused:
            subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Dravelin +Revision", "windowfocus"],
                           check=False, capture_output=True)

    def search():
        type_text(city.lower())
        poll("the typed city in capitals",
             lambda: True if typed.getText(0, -1) == city.upper() else None, bound=20)
        pyatspi.Registry.generateKeyboardEvent(0xFF0D, None, pyatspi.KEY_SYM)  # Return

    typed = query.queryText()
    search()
    expected = subprocess.run([recherche, directory_file, "ville", city.upper()], check=True,
                              capture_output=True).stdout.decode("windows-1252").split("\r\n")
    expected_lines, expected_count = expected[:-2], expected[-2]

    results = descendant(window, "list", "Résultats")
    count = poll("the count caption",
                 lambda: descendant(window, "panel", expected_count), bound=30)
    poll("the count announced", lambda: True if expected_count in announced else None, bound=30)
    # A screen reader speaks a notification as it appears: it tells the count while the query
    # box keeps the focus, ready for the next query.
    # The first showing of the notice may come before the bus knows the object, and its event
    # be lost: the notice then stands shown with the count, which is what a reader finds.
    poll(f"the count told by a notification (heard {notified})",
         lambda: True if expected_count in notified or shown_notice(app, expected_count) else None, bound=30)
    if not query.getState().contains(pyatspi.STATE_FOCUSED):
        sys.exit(f"the query box lost the focus (focus moves {focus_moves})")
    # The same count again is told again: the notice appears anew.
    told_before = len(notified)
    search()
    poll(f"the same count told a second time (heard {notified})",
         lambda: True if expected_count in notified[told_before:] else None, bound=30)
    heard = poll("the result lines",
                 lambda: [results.getChildAtIndex(i).name for i in range(results.childCount)]
                 if results.childCount == len(expected_lines) else None, bound=30)

    if heard != expected_lines:
        for i, (h, e) in enumerate(zip(heard, expected_lines)):
            if h != e:
                sys.exit(f"line {i} differs:\n heard    {h!r}\n expected {e!r}")
        sys.exit(f"{len(heard)} lines heard, {len(expected_lines)} expected")
    # F1 opens the manual; the reader finds its links as links.
    pyatspi.Registry.generateKeyboardEvent(0xFFBE, None, pyatspi.KEY_SYM)  # F1
    manual = poll("the manual's text", lambda: descendant(app, "text", "Mode d'emploi"), bound=30)
    links = poll("the manual's links",
                 lambda: [manual.getChildAtIndex(i) for i in range(manual.childCount)] or None, bound=30)
    roles = {link.getRoleName() for link in links}
    if roles != {"link"} or not any(link.name == "La révision de l'annuaire" for link in links):
        sys.exit(f"the manual's links are heard as {roles}: {[link.name for link in links][:5]}")

    print(f"heard {len(heard)} lines and the announced caption {count.name!r}, as dravelin-recherche prints them, "
          f"and a notification told {expected_count!r} twice; the manual shows {len(links)} links")


if __name__ == "__main__":
    main()
