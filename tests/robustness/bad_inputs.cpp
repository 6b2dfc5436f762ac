#include "robustness/bad_inputs.h"

#include "support/directory_fixture.h"

namespace dravelin::test {

namespace {

enum { Callsign, Surname, City, Department };

const QByteArray kRevision = "Base Rev 255  du 11/08/2009";
const QByteArray kMarker = "CET INDICATIF EST ATTRIBUE MAIS";

QByteArray padded(const QByteArray& text, int width)
{
    return text + QByteArray(width - text.size(), ' ');
}

// A normal result line: callsign column, name column, then the rest.
QByteArray found(const QByteArray& call, const QByteArray& name, const QByteArray& rest)
{
    return padded(call, 12) + padded(name, 40) + rest;
}

QByteArray orange(const QByteArray& call)
{
    return padded(call, 12) + "EN LISTE ORANGE";
}

const QByteArray kDupontLine = "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002";
const QByteArray kDupont = found("F1ABC", "DUPONT Jean", "12 rue Haute  75002 PARIS");

// The plain entry found under every criterion, after whatever the revision line holds.
QList<Probe> dupontProbes()
{
    return {{Callsign, "F1ABC", {kDupont}},
            {Surname, "DUPONT", {kDupont}},
            {City, "PARIS", {kDupont}},
            {Department, "75", {kDupont}}};
}

QList<Probe> nothingFound()
{
    return {{Callsign, "F1ABC", {}}, {Surname, "DUPONT", {}}, {City, "PARIS", {}}, {Department, "00", {}}};
}

// A literal with its NUL bytes, which the QByteArray(const char*) constructor would cut at.
template <std::size_t N>
QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, static_cast<qsizetype>(N - 1));
}

QByteArray bytesFrom(int first, int last)
{
    QByteArray bytes;
    for (int b = first; b <= last; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

QList<BadInput> makeBadInputs()
{
    QList<BadInput> inputs;

    inputs.append({"empty file", InputKind::Bytes, QByteArray(), "", "", nothingFound()});
    inputs.append({"only a revision line", InputKind::Bytes, crlfLines({kRevision}), "Base Rev 255", "du 11/08/2009",
                   nothingFound()});
    inputs.append({"revision line of 3 characters", InputKind::Bytes, crlfLines({"Bas", kDupontLine}), "Bas", "Bas",
                   dupontProbes()});
    const QByteArray longRevision = "Base Rev 255" + QByteArray(275, 'x') + "du 11/08/2009";
    inputs.append({"revision line of 300 characters", InputKind::Bytes, crlfLines({longRevision, kDupontLine}),
                   "Base Rev 255", "du 11/08/2009", dupontProbes()});

    {
        const QByteArray revision = raw("Base Rev 2\0"
                                        "5  du 11/08/2009");
        const QByteArray nulInSurname = raw("F1NUL;DU\0PONT;Jean;1 rue\0A;PARIS;75001");
        const QByteArray nulAround = raw("\0\0;;;;;\0");
        const QByteArray nulPostcode = raw("F2NUL;MARTIN;\0;\0;PARIS;7500\0");
        const QByteArray first = found("F1NUL", raw("DU\0PONT Jean"), raw("1 rue\0A  75001 PARIS"));
        const QByteArray second = found("F2NUL", raw("MARTIN \0"), raw("\0  7500\0 PARIS"));
        inputs.append({"NUL bytes",
                       InputKind::Bytes,
                       crlfLines({revision, nulInSurname, nulAround, nulPostcode}),
                       revision.left(12),
                       revision.right(13),
                       {{Callsign, "F2NUL", {second}},
                        {Surname, "MARTIN", {second}},
                        {City, "PARIS", {first, second}},
                        {Department, "75", {first, second}}}});
    }
    {
        // No entry is near that long: the line is passed over, never held, and the others found.
        const QByteArray hugeAddress(10 * 1024 * 1024, 'A');
        inputs.append({"a 10 MB line",
                       InputKind::Bytes,
                       crlfLines({kRevision, "F1BIG;GRAND;Jean;" + hugeAddress + ";PARIS;75001", kDupontLine}),
                       "Base Rev 255",
                       "du 11/08/2009",
                       {{Callsign, "F1BIG", {}},
                        {Surname, "DUPONT", {kDupont}},
                        {City, "PARIS", {kDupont}},
                        {Department, "75", {kDupont}}}});
    }
    {
        // Past the longest line read whole, the revision captions stay empty, as for an empty file.
        const QByteArray hugeRevision = "Base Rev 255" + QByteArray(10 * 1024 * 1024, ' ') + "du 11/08/2009";
        inputs.append({"a 10 MB revision line", InputKind::Bytes, crlfLines({hugeRevision, kDupontLine}), "", "",
                       dupontProbes()});
    }
    {
        // A line of the longest length read whole is still an entry.
        const QByteArray longAddress(64 * 1024 - 29, 'A');
        const QByteArray longest = "F1BIG;GRAND;Jean;" + longAddress + ";PARIS;75001";
        const QByteArray big = found("F1BIG", "GRAND Jean", longAddress + "  75001 PARIS");
        inputs.append({"a line of the longest length read whole",
                       InputKind::Bytes,
                       crlfLines({kRevision, longest, kDupontLine}),
                       "Base Rev 255",
                       "du 11/08/2009",
                       {{Callsign, "F1BIG", {big}},
                        {Surname, "DUPONT", {kDupont}},
                        {City, "PARIS", {kDupont, big}},
                        {Department, "75", {kDupont, big}}}});
    }
    {
        // Five ";" make a record of six empty fields; ten put the last five in the postcode.
        const QByteArray empty = found("", " ", "   ");
        const QByteArray fivePostcode = found("", " ", "  ;;;;; ");
        inputs.append({"lines of only ;",
                       InputKind::Bytes,
                       crlfLines({kRevision, ";", ";;;;", ";;;;;", QByteArray(10, ';'), kDupontLine}),
                       "Base Rev 255",
                       "du 11/08/2009",
                       {{Callsign, "F1ABC", {kDupont}},
                        {Surname, "DUPONT", {kDupont}},
                        {City, "PARIS", {kDupont}},
                        {Department, "00", {empty, fivePostcode, kDupont}}}});
    }
    {
        QByteArray line = "F1AB;NOM;P;ADR;VILLE;75001";
        for (int i = 0; i < 15; ++i)
            line += ";X";
        const QByteArray shown = found("F1AB", "NOM P", "ADR  75001" + QByteArray(";X").repeated(15) + " VILLE");
        inputs.append({"20 ; in a line",
                       InputKind::Bytes,
                       crlfLines({kRevision, line}),
                       "Base Rev 255",
                       "du 11/08/2009",
                       {{Callsign, "F1AB", {shown}},
                        {Surname, "NOM", {shown}},
                        {City, "VILLE", {shown}},
                        {Department, "75", {shown}}}});
    }
    {
        const QByteArray a = found("F1A", "NOM A", "B  75001 VILLE");
        const QByteArray b = found("F2B", "NOM A", "B  01000 VILLE");
        inputs.append(
            {"CR CR LF",
             InputKind::Bytes,
             kRevision + "\r\r\nF1A;NOM;A;B;VILLE;75001\r\r\nF2B;NOM;A;B;VILLE;1000\r\r\n",
             "Base Rev 255",
             "du 11/08/2009",
             {{Callsign, "F2B", {b}}, {Surname, "NOM", {a, b}}, {City, "VILLE", {a, b}}, {Department, "00", {a, b}}}});
        inputs.append(
            {"LF only",
             InputKind::Bytes,
             kRevision + "\nF1A;NOM;A;B;VILLE;75001\n\nF2B;NOM;A;B;VILLE;1000\n",
             "Base Rev 255",
             "du 11/08/2009",
             {{Callsign, "F1A", {a}}, {Surname, "NOM", {a, b}}, {City, "VILLE", {a, b}}, {Department, "01", {b}}}});
    }
    {
        // Every byte from 0x80 to 0xFF, in the revision line and in each field; the five that
        // Windows-1252 leaves undefined included.
        const QByteArray revision = bytesFrom(0x80, 0xFF);
        const QByteArray line = "F\xC9"
                                "1;\xC9\xC8\xC0;" +
                                bytesFrom(0x80, 0x9F) + ";" + bytesFrom(0xA0, 0xBF) +
                                ";\xC9VREUX\xFF;\xE9\xE8\xE7\xE0\xF9";
        const QByteArray shown = found("F\xC9"
                                       "1",
                                       "\xC9\xC8\xC0 " + bytesFrom(0x80, 0x9F),
                                       bytesFrom(0xA0, 0xBF) + "  \xE9\xE8\xE7\xE0\xF9 \xC9VREUX\xFF");
        inputs.append({"bytes 0x80 to 0xFF everywhere",
                       InputKind::Bytes,
                       crlfLines({revision, line}),
                       revision.left(12),
                       revision.right(13),
                       {{Callsign,
                         "F\xC9"
                         "1",
                         {shown}},
                        {Surname, "\xC9\xC8\xC0", {shown}},
                        {City, "\xC9VREUX\xFF", {shown}},
                        {Department, "\xE9\xE8", {shown}}}});
    }
    {
        // A callsign longer than its 12-character column cannot be shown and is passed over.
        const QByteArray twelve = found("F1ABCDEFGHIJ", "TWELVE X", "Y  75001 PARIS");
        inputs.append(
            {"callsigns of 13 to 200 characters",
             InputKind::Bytes,
             crlfLines({kRevision, "F1ABCDEFGHIJ;TWELVE;X;Y;PARIS;75001", "F1ABCDEFGHIJK;THIRTEEN;X;Y;PARIS;75001",
                        QByteArray(50, 'F') + ";FIFTY;X;Y;PARIS;75001",
                        QByteArray(200, 'F') + ";TWO HUNDRED;X;Y;PARIS;75001"}),
             "Base Rev 255",
             "du 11/08/2009",
             {{Callsign, "F1ABCDEFGHIJ", {twelve}},
              {Surname, "THIRTEEN", {}},
              {City, "PARIS", {twelve}},
              {Department, "00", {twelve}}}});
    }
    {
        // The marker twice in one callsign field, and both marks on one line.
        const QByteArray twice = found("F5XZ ", "EN LISTE ORANGE P", "A  69002 LYON");
        const QByteArray both = found("F5XW", "EN LISTE ORANGE ", "  69002 LYON");
        const QByteArray listed = orange("F2AA");
        inputs.append({"orange-list marker twice",
                       InputKind::Bytes,
                       crlfLines({kRevision, "F5XZ " + kMarker + kMarker + ";X;P;A;LYON;69002",
                                  "F5XW" + kMarker + ";LISTE ORANGE;;;LYON;69002", "F2AA;LISTE ORANGE;;;LYON;69003"}),
                       "Base Rev 255",
                       "du 11/08/2009",
                       {{Callsign, "F5XZ", {twice}},
                        {Surname, "EN LISTE ORANGE", {both, twice}},
                        {City, "LYON", {listed, both, twice}},
                        {Department, "69", {listed, both, twice}}}});
    }

    inputs.append({"a folder in place of the file", InputKind::Folder, QByteArray(), "", "", nothingFound()});
    inputs.append({"a file without read permission", InputKind::Unreadable, crlfLines({kRevision, kDupontLine}), "", "",
                   nothingFound()});
    inputs.append({"a named pipe in place of the file", InputKind::Pipe, QByteArray(), "", "", nothingFound()});
    inputs.append(
        {"a link to /dev/zero in place of the file", InputKind::DeviceLink, QByteArray(), "", "", nothingFound()});
    return inputs;
}

} // namespace

const QList<BadInput>& badInputs()
{
    static const QList<BadInput> inputs = makeBadInputs();
    return inputs;
}

} // namespace dravelin::test
