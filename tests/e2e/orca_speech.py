#!/usr/bin/python3
"""Runs the real program with the Orca screen reader and a window manager, drives it from the
keyboard with xdotool and checks what Orca speaks, read from Orca's debug log.

Usage (under Xvfb and a session bus): orca_speech.py DRAVELIN DRAVELIN_RECHERCHE SAMPLE MANUAL
Exits 77 (skipped) when Orca is not installed."""
import html
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import tty

SKIPPED = 77
BOUND = 90.0  # seconds any one awaited utterance may take on a loaded machine
POLL = 0.2
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*)'\s*(\{.*\})?$")


def flat(text):
    return " ".join(text.split())


class DebugLog:
    """Orca's debug output, through a terminal: Orca writes a file in blocks, but a terminal
    line by line, so that each utterance can be read as soon as it is spoken."""

    def __init__(self, copy_path):
        self.master, self.slave = os.openpty()
        tty.setraw(self.slave)
        self.path = os.ttyname(self.slave)
        self.lines = []
        self.lock = threading.Lock()
        self.copy = open(copy_path, "w", encoding="utf-8")
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        pending = b""
        while True:
            try:
                data = os.read(self.master, 65536)
            except OSError:
                return
            if not data:
                return
            pending += data
            *complete, pending = pending.split(b"\n")
            text = [line.decode("utf-8", "replace").rstrip("\r") for line in complete]
            with self.lock:
                self.lines.extend(text)
            self.copy.write("\n".join(text) + "\n" if text else "")
            self.copy.flush()

    def snapshot(self):
        with self.lock:
            return list(self.lines)


class Orca:
    """Orca's utterances, as its debug output lists them."""

    def __init__(self, log, process):
        self.log = log
        self.process = process
        self.heard = 0  # utterances already matched: each wait looks after them

    def utterances(self):
        return [m.group(1) for m in map(SPEECH.search, self.log.snapshot()) if m]

    def wait(self, what, matches, bound=BOUND):
        """The first utterance after the last one matched for which matches() is true."""
        deadline = time.monotonic() + bound
        while time.monotonic() < deadline:
            spoken = self.utterances()
            for i in range(self.heard, len(spoken)):
                if matches(spoken[i]):
                    self.heard = i + 1
                    return spoken[i]
            if self.process.poll() is not None:
                break
            time.sleep(POLL)
        recent = self.utterances()[self.heard:][-25:]
        sys.exit(f"Orca never said {what}; it said after the last match:\n  " + "\n  ".join(recent))

    def wait_for(self, text, bound=BOUND):
        # Orca ends some utterances with a full stop of its own.
        return self.wait(repr(text), lambda said: flat(said).rstrip(".") == flat(text).rstrip("."), bound)

    def wait_containing(self, text, bound=BOUND):
        return self.wait(f"something with {text!r}", lambda said: flat(text) in flat(said), bound)

    def since(self):
        return self.utterances()[self.heard:]


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def key(*names):
    xdotool("key", "--delay", "80", *names)


def alt_key(letter):
    # Alt released after the letter, as a user's fingers do: Alt alone walks the menu bar.
    xdotool("keydown", "alt")
    xdotool("key", letter)
    xdotool("keyup", "alt")


def type_text(text):
    xdotool("type", "--delay", "60", text)


def french_locale(work):
    """LANG and LOCPATH for a French UTF-8 locale, generated in `work` when the system lacks it."""
    env = {"LANG": "fr_FR.UTF-8", "LC_ALL": "fr_FR.UTF-8", "LANGUAGE": "fr"}
    installed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower()
    if "fr_fr.utf8" not in installed:
        folder = os.path.join(work, "locales")
        os.makedirs(folder)
        subprocess.run(["localedef", "-i", "fr_FR", "-f", "UTF-8", os.path.join(folder, "fr_FR.UTF-8")], check=True)
        env["LOCPATH"] = folder
    return env


def squeezed(text):
    """The text without any space: tags in the middle of a sentence leave spaces of their own."""
    return "".join(text.split())


def plain(markup):
    return flat(html.unescape(re.sub(r"<[^>]+>", " ", markup)))


def manual_links(manual):
    """(words, target) of each link of the manual, in reading order."""
    with open(manual, encoding="utf-8", errors="replace") as f:
        text = f.read()
    return [(plain(words), target) for target, words in re.findall(r'<a href="#([^"]*)">(.*?)</a>', text, re.S)]


def section_text(manual, target):
    """The words of the section that the anchor `target` starts, up to the next heading."""
    with open(manual, encoding="utf-8", errors="replace") as f:
        text = f.read()
    start = text.index(f'<a name="{target}">')
    start = text.index("</h", start)
    end = re.compile(r"<h[1-6]").search(text, start)
    return plain(text[start:end.start() if end else len(text)])


def main():
    dravelin, recherche, sample, manual = sys.argv[1:5]
    if shutil.which("orca") is None:
        print("orca is not installed: the spoken checks are skipped")
        sys.exit(SKIPPED)
    for tool in ("openbox", "xdotool", "localedef"):
        if shutil.which(tool) is None:
            sys.exit(f"{tool} is missing (scripts/install-deps.sh installs it)")

    work = tempfile.mkdtemp(prefix="dravelin-orca-")
    processes = []
    try:
        env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"),
                   XDG_DATA_HOME=os.path.join(work, "data"), XDG_CACHE_HOME=os.path.join(work, "cache"))
        env.update(french_locale(work))

        def start(command, name, extra=None):
            out = open(os.path.join(work, name + ".out"), "w")
            process = subprocess.Popen(command, env=dict(env, **(extra or {})), stdout=out, stderr=subprocess.STDOUT)
            processes.append(process)
            return process

        start(["openbox"], "openbox")
        log = DebugLog(os.path.join(work, "orca.log"))
        # Never --replace: it would end the Orca of anyone else logged in as this user.
        orca = Orca(log, start(["orca", "-u", os.path.join(work, "orca-prefs"), "--debug-file=" + log.path], "orca"))
        orca.wait("that it started", lambda said: True)

        folder = os.path.join(work, "programme")
        os.makedirs(folder)
        shutil.copy(dravelin, folder)
        shutil.copy(sample, os.path.join(folder, "Annuaire_Amat.csv"))
        shutil.copy(manual, os.path.join(folder, "Dravelin.hlp"))
        start([os.path.join(folder, os.path.basename(dravelin))], "dravelin",
              {"QT_QPA_PLATFORM": "xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "NO_AT_BRIDGE": "0"})
        orca.wait_for("Requête texte.")
        check_search_and_list(orca, recherche, os.path.join(folder, "Annuaire_Amat.csv"))
        check_manual(orca, manual)
        check_editing_window(orca)
        print("Orca spoke every expected line")
    finally:
        for process in reversed(processes):
            process.terminate()
        for process in reversed(processes):
            try:
                process.wait(timeout=20)
            except subprocess.TimeoutExpired:
                process.kill()
        if os.environ.get("DRAVELIN_KEEP_ORCA_LOG"):
            print("Orca's log:", os.path.join(work, "orca.log"))
        else:
            shutil.rmtree(work, ignore_errors=True)


def found_by(recherche, directory_file, criterion, query):
    out = subprocess.run([recherche, directory_file, criterion, query], check=True, capture_output=True).stdout
    lines = out.decode("windows-1252").split("\r\n")
    return lines[:-2], lines[-2]


def check_search_and_list(orca, recherche, directory_file):
    # Item 7 and 1: the access key of Département, the prompt spoken from the query box.
    alt_key("d")
    orca.wait_for("notification Entrez un départemant :")
    lines, count = found_by(recherche, directory_file, "departement", "75")
    type_text("75")
    key("Return")
    orca.wait_for("notification " + count)
    # The same count again is spoken again.
    type_text("75")
    key("Return")
    orca.wait_for("notification " + count)
    # The query box kept the focus: the next criterion is spoken when it comes back to it, and
    # no earlier outcome.
    key("shift+Tab")
    orca.wait_for("Département.")
    key("Left")
    said = orca.wait_containing("Entrez une ville :")
    if "indicatif(s)" in said or "Recherche sans résultat" in said:
        sys.exit(f"the query box still reads an earlier outcome: {said!r}")

    # Item 2: the current line when the list takes the focus, then each move.
    alt_key("d")
    orca.wait_for("notification Entrez un départemant :")
    type_text("75")
    key("Return")
    orca.wait_for("notification " + count)
    key("Tab")
    orca.wait_for(f"Liste à {len(lines)} éléments.")
    orca.wait_for(lines[0] + ".")
    for move, line in (("Down", lines[1]), ("Down", lines[2]), ("Up", lines[1]), ("End", lines[-1]),
                       ("Home", lines[0])):
        key(move)
        orca.wait_for(line + ".")

    # A list of one line: the line is spoken as the list takes the focus, and by where-am-I.
    key("shift+Tab")
    orca.wait_containing("Requête texte")
    alt_key("c")
    orca.wait_for("notification Entrez un indicatif :")
    callsign = lines[0][:12].strip()
    single, single_count = found_by(recherche, directory_file, "indicatif", callsign)
    type_text(callsign.lower())
    key("Return")
    orca.wait_for("notification " + single_count)
    key("Tab")
    orca.wait_for("Liste à 1 élément.")
    orca.wait_for(single[0] + ".")
    key("KP_Enter")  # where am I
    orca.wait_for(single[0] + ".")


def check_manual(orca, manual):
    # Item 5: F1, the first Tab speaks the first link, Entrée follows it, the arrows read on.
    key("F1")
    orca.wait_for("Dravelin - Mode d'emploi.")
    orca.wait_for("Mode d'emploi lecture seule texte.")
    links = manual_links(manual)
    key("Tab")
    orca.wait_for(links[0][0] + " lien.")
    key("Tab")
    orca.wait_for(links[1][0] + " lien.")
    key("Return")
    # The caret stands on the heading the link led to: Down reads the section's first line.
    target = section_text(manual, links[1][1])
    key("Down")
    orca.wait(f"a line of the section {links[1][1]!r}",
              lambda said: len(flat(said)) > 20 and squeezed(said.rstrip(".")) in squeezed(target))
    # The main window gets the focus back where it was: on the list's line.
    key("Escape")
    orca.wait_for("Annuaire des radioamateurs Français cadre.")
    orca.wait_for("Liste à 1 élément.")


def check_editing_window(orca):
    # Item 3: the editing window is a frame and Tab follows the reading order.
    key("ctrl+shift+e")  # shows the Expert button
    key("space")
    orca.wait_for("sélectionné")
    key("Tab")
    orca.wait_for("Expert bouton.")
    key("Return")
    orca.wait_for("Modification la base de données cadre.")
    orca.wait_containing("Indicatif")
    for name in ("Nom", "Prenom", "Adresse", "Ville", "Code postal", "Ajouter bouton", "Supprimer bouton",
                 "Modifier bouton", "Quitter bouton"):
        key("Tab")
        orca.wait(f"{name!r} after Tab", lambda said, name=name: flat(said).startswith(name))

    # Item 6: each change is told where the focus is.
    key("shift+Tab", "shift+Tab")
    orca.wait_for("Supprimer bouton.")
    key("space")
    said = orca.wait_containing("supprimée")
    if not re.fullmatch(r"notification Entrée \S+ supprimée\.?", said):
        sys.exit(f"the deletion was told as {said!r}")
    key("shift+Tab", "shift+Tab", "shift+Tab")
    orca.wait_for("Ajouter bouton.")
    key("space")
    for field in ("f6abc", "dupont", "jean", "1 rue haute", "paris", "75001"):
        type_text(field)
        key("Return")
    orca.wait_containing("Enregistrer")
    key("space")
    orca.wait_for("notification Entrée F6ABC enregistrée")
    key("space")  # Quitter: the revision is offered
    orca.wait_containing("voulez vous la passer")
    key("Return")
    orca.wait("the raised revision", lambda said: re.fullmatch(r"notification Révision \d+ enregistrée\.?", said))


if __name__ == "__main__":
    main()
