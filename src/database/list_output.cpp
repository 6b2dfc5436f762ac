#include "database/list_output.h"

#include <array>

#include "database/result_line.h"
#include "database/text_bytes.h"
#include "database/unicode_text.h"

namespace dravelin {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Rows in list order lie all over the block of what was read: each pass fetches a few ahead.
constexpr std::size_t kRowsAhead = 16;

// The middle of the text from `start`, at most `count` characters; empty past its end.
std::string_view columnOf(std::string_view line, std::size_t start, std::size_t count = std::string_view::npos)
{
    return start < line.size() ? line.substr(start, count) : std::string_view();
}

} // namespace

const std::string_view kCreditLine = "                             "
                                     "Liste \xE9tablie avec Dravelin, annuaire des radioamateurs fran\xE7"
                                     "ais";

void appendTextLine(std::string& out, std::string_view listLine)
{
    out += listLine;
}

void appendCsvLine(std::string& out, std::string_view listLine)
{
    out += trimSpaces(columnOf(listLine, 0, kCallsignColumnWidth));
    out += ';';
    out += trimSpaces(columnOf(listLine, kCallsignColumnWidth, kNameColumnWidth));
    out += ';';
    out += trimSpaces(columnOf(listLine, kRestColumnStart));
}

const SpreadsheetRow kSpreadsheetHeading{"Indicatif", "Nom", "Pr\u00E9nom", "Adresse", "Code postal", "Ville"};

namespace {

std::string utf8Of(std::string_view windows1252)
{
    std::u32string characters;
    characters.reserve(windows1252.size());
    for (const char byte : windows1252)
        characters += windows1252Character(static_cast<unsigned char>(byte));
    return encodeUtf8(characters);
}

} // namespace

std::vector<SpreadsheetRow> spreadsheetRows(const ResultRows& rows)
{
    std::vector<SpreadsheetRow> out;
    out.reserve(rows.size());
    for (std::size_t index = 0; index < rows.size(); ++index) {
        rows.prefetch(index + kRowsAhead);
        const ListedEntry entry = rows.entryAt(index);
        out.push_back({utf8Of(entry.callsign), utf8Of(entry.surname), utf8Of(entry.firstName), utf8Of(entry.address),
                       utf8Of(entry.postcode), utf8Of(entry.city)});
    }
    return out;
}

std::string listOutput(const ResultRows& rows, LineConverter convert)
{
    std::string out;
    // A shown line holds the bytes of its record line, less its separators, with the padding of
    // the first two columns, a zero and three spaces more; the CSV form adds two ";".
    out.reserve(kCreditLine.size() + kLineEnd.size() + rows.byteCount() +
                rows.size() * (kRestColumnStart + 4 + 2 + kLineEnd.size()));

    std::string shown;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        rows.prefetch(index + kRowsAhead);
        shown.clear();
        rows.appendDisplayLine(shown, index);
        convert(out, shown);
        out += kLineEnd;
    }
    out += kCreditLine;
    out += kLineEnd;
    return out;
}

} // namespace dravelin
