#include "database/list_output.h"

#include <array>

#include "database/result_line.h"
#include "database/text_bytes.h"
#include "database/unicode_text.h"

namespace dravelin {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

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

std::vector<SpreadsheetRow> spreadsheetRows(const ResultLines& lines)
{
    std::vector<SpreadsheetRow> rows;
    rows.reserve(lines.size());
    for (std::size_t index = 0; index < lines.size(); ++index) {
        // The six fields of a listed line: the one place they are taken from the list.
        const std::array<std::string, 6> fields = shownFields(lines[index], lines.attachmentOf(index));
        SpreadsheetRow& row = rows.emplace_back();
        for (std::size_t field = 0; field < fields.size(); ++field)
            row[field] = utf8Of(fields[field]);
    }
    return rows;
}

std::string listOutput(const ResultLines& lines, LineConverter convert)
{
    std::string out;
    std::size_t expected = kCreditLine.size() + kLineEnd.size();
    for (std::size_t index = 0; index < lines.size(); ++index)
        expected += lines[index].size() + 2 + kLineEnd.size(); // two ";" at most in the CSV form
    out.reserve(expected);

    for (std::size_t index = 0; index < lines.size(); ++index) {
        convert(out, lines[index]);
        out += kLineEnd;
    }
    out += kCreditLine;
    out += kLineEnd;
    return out;
}

} // namespace dravelin
