#include "database/list_output.h"

#include <array>

#include "database/result_line.h"
#include "database/text_bytes.h"

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

namespace {

void appendCell(std::string& out, std::string_view cell)
{
    if (cell.find_first_of(";\"\r\n") == std::string_view::npos) {
        out += cell;
        return;
    }
    out += '"';
    for (const char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void appendRow(std::string& out, const std::array<std::string, 6>& cells)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += ';';
        appendCell(out, cells[i]);
    }
    out += kLineEnd;
}

} // namespace

std::string spreadsheetOutput(const ResultLines& lines)
{
    std::string out;
    appendRow(out, {"Indicatif", "Nom", "Pr\xE9nom", "Adresse", "Code postal", "Ville"});
    for (std::size_t index = 0; index < lines.size(); ++index)
        appendRow(out, shownFields(lines[index], lines.attachmentOf(index)));
    return out;
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
