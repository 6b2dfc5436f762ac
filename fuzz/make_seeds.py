#!/usr/bin/env python3
"""Writes the seed corpus of each fuzz target from the awkward directory files the tests use.

The leading bytes of a seed are the target's choices (see FuzzInput in each target):
  record_lines: 1 byte, the line reader's chunk size;
  search:       4 bytes (how each criterion draws its query), 1 length byte and that many
                bytes of a raw query, 1 byte for the chunk size;
  rewrite:      1 byte for the operation (delete, modifying save, bump), 1 byte picking the
                record whose callsign is the key, 1 length byte and that many bytes of a
                replacement record line.
The rest is the directory file. Run from anywhere; the seeds are committed.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
REV = b"Base Rev 255  du 11/08/2009"
MARKER = b"CET INDICATIF EST ATTRIBUE MAIS"


def crlf(*lines):
    return b"".join(line + b"\r\n" for line in lines)


FILES = {
    "rules": crlf(
        REV,
        b"F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001",
        b"F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002",
        b"",
        b"  F4SP  ;ESPACE;Anne;3 rue B;LYON ;69001",
        b"f1abc;minuscule;x;y;PARIS;75003",
        b"F1ABC;DURAND;Luc;5 rue C;NICE;06000",
        b"F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000",
        b"F0AA;A;B;C;PARIS",
        b"malformed line without fields",
    ) + b"F4LAST;ZOLA;Emile;9 rue E;PARIS ;75006",
    "empty": b"",
    "revision_only": crlf(REV),
    "revision_3": crlf(b"Bas", b"F1A;N;P;A;V;75001"),
    "revision_300": crlf(b"Base Rev 255" + b"x" * 275 + b"du 11/08/2009", b"F1A;N;P;A;V;75001"),
    "nul_bytes": crlf(REV, b"F1\0AB;DU\0PONT;\0;\0;PA\0RIS;7\0001", b"\0\0\0;;;;;\0"),
    "separators_only": crlf(REV, b";", b";;", b";;;;", b";;;;;", b";;;;;;", b";" * 20),
    "twenty_separators": crlf(REV, b"F1AB;NOM;P;ADR;VILLE;75001" + b";X" * 15),
    "cr_cr_lf": b"Base Rev 001  du 01/01/2020\r\r\nF1A;A;B;C;D;75001\r\r\nF2B;A;B;C;D;75002\r",
    "lf_only": b"Base Rev 002  du 01/01/2020\nF1A;A;B;C;D;75001\n\nF2B;A;B;C;D;1000\n",
    "lone_cr": b"Base Rev 003  du 01/01/2020\rF1A;A;B;C;D;75001\rF2B;A;B;C;D;1",
    "high_bytes": crlf(bytes(range(0x80, 0x100)),
                       b"F\xc91;" + bytes(range(0x80, 0xa0)) + b";" + bytes(range(0xa0, 0xc0)) + b";"
                       + bytes(range(0xc0, 0xe0)) + b";" + bytes(range(0xe0, 0x100)) + b";\x80\xff\xe9\xc9"),
    "long_callsigns": crlf(REV, b"F1ABCDEFGHIJ;TWELVE;X;Y;PARIS;75001", b"F1ABCDEFGHIJK;THIRTEEN;X;Y;PARIS;75001",
                           b"F" * 50 + b";FIFTY;X;Y;PARIS;75001", b"F" * 200 + b";TWO HUNDRED;X;Y;PARIS;75001"),
    "orange_marks": crlf(
        REV,
        b"F5XY " + MARKER + b";N'EST PAS PUBLIABLE;;;LYON;69002",
        b"F5XZ " + MARKER + MARKER + b";X;;;LYON;69002",
        b"F5XW" + MARKER + b" F5XW " + MARKER + b";LISTE ORANGE;;;LYON;69002",
        b"F2AA;LISTE ORANGE;;;PARIS;75004",
        b"F2AB; LISTE ORANGE;;;PARIS;75004",
        b"F2AC;<LISTE ORANGE;;;PARIS;75004",
        b"F2AD" + MARKER[:20] + b";A;B;C;PARIS;75004",
    ),
    "departments": crlf(REV, b"F5AJA;A;B;C;AJACCIO;20000", b"F5PRO;A;B;C;PROPRIANO;20199",
                        b"F5BAS;A;B;C;BASTIA;20200", b"F5SAR;A;B;C;D;20700", b"F5LIT;A;B;C;D;2a004",
                        b"F5LOS;A;B;C;D;2010", b"F5SHO;A;B;C;D;201", b"FG5PAP;A;B;C;D;97110",
                        b"FR5RUN;A;B;C;D;97400", b"FK8NOU;A;B;C;D;98800", b"F9SEP;A;B;C;D;97;100"),
    "long_names": crlf(REV, b"F1LONG;" + b"S" * 35 + b";" + b"P" * 23 + b";A;PARIS;75001",
                       b"F1ABCDEFGHIJ;NOM;;;;", b"F1X;NOM;PRENOM;ADR;VILLE;", b"F1Y;NOM;PRENOM;ADR;VILLE;7"),
}

# How each criterion draws its query (low 2 bits: 0 a record's value, 1 the same plus a
# space, 2 the raw query; higher bits pick the record).
SEARCH_CHOICES = [
    (bytes([0x00, 0x04, 0x08, 0x0C]), b"", 1),
    (bytes([0x05, 0x00, 0x10, 0x02]), b"00", 7),
    (bytes([0x02, 0x02, 0x02, 0x02]), b"PARIS", 255),
]


def write(target, name, data):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


for name, content in FILES.items():
    write("record_lines", name, bytes([3]) + content)
    for index, (choices, raw, chunk) in enumerate(SEARCH_CHOICES):
        write("search", f"{name}_{index}", choices + bytes([len(raw)]) + raw + bytes([chunk - 1]) + content)

# Corsica's two departments and the overseas ones, asked for under every criterion as typed.
for index, raw in enumerate([b"2a", b"2B", b"971", b"98"]):
    write("search", f"departments_typed_{index}", bytes([0x02] * 4) + bytes([len(raw)]) + raw + bytes([6])
          + FILES["departments"])

# Delete, modifying save and revision bump, each keyed on a record of the file.
REWRITE_CHOICES = [
    (0, 0, b""),
    (1, 1, b"F0NEW;NOUVEAU;ANDR\xc9;5 PLACE;\xc9VREUX;27000"),
    (2, 2, b""),
]
for name, content in FILES.items():
    for index, (operation, key, replacement) in enumerate(REWRITE_CHOICES):
        write("rewrite", f"{name}_{index}", bytes([operation, key, len(replacement)]) + replacement + content)
