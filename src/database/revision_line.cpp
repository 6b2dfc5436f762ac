#include "database/revision_line.h"

#include <algorithm>

#include "database/line_reader.h"

namespace dravelin {

std::string_view revisionLabel(std::string_view revisionLine)
{
    return revisionLine.substr(0, 12);
}

std::string_view revisionDateText(std::string_view revisionLine)
{
    constexpr std::size_t kDateTextLength = 13;
    if (revisionLine.size() <= kDateTextLength)
        return revisionLine;
    return revisionLine.substr(revisionLine.size() - kDateTextLength);
}

int revisionNumber(std::string_view revisionLine)
{
    const std::string_view digits = revisionLine.substr(std::min<std::size_t>(9, revisionLine.size()), 3);
    int number = 0;
    for (const char c : digits) {
        if (c == ' ')
            continue;
        if (c < '0' || c > '9')
            break;
        number = number * 10 + (c - '0');
    }
    return number;
}

std::string makeRevisionLine(int number, std::string_view dateText)
{
    std::string digits = std::to_string(number);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    std::string line(kRevisionPrefix);
    line += digits;
    line += kRevisionDateSeparator;
    line += dateText;
    return line;
}

std::optional<std::string> raisedRevisionLine(std::string_view revisionLine, std::string_view dateText)
{
    const int number = revisionNumber(revisionLine);
    if (number >= kHighestRevision)
        return std::nullopt;
    return makeRevisionLine(number + 1, dateText);
}

FirstLine readRevisionLine(const std::filesystem::path& directoryFile, FileLayer& files)
{
    FirstLine result;
    std::unique_ptr<ReadHandle> input;
    result.problem = openForReading(directoryFile, files, input);
    if (result.problem != FileProblem::None)
        return result;
    // A small chunk: only the first line is wanted, however large the file. A first line
    // longer than the longest is read as an empty one.
    // Read no further than the longest line: a longer one is not gone through to its end.
    LineReader reader(*input, 4096);
    LinePiece first;
    result.present = reader.nextPiece(first);
    if (reader.failed())
        result.problem = FileProblem::NotReadable;
    else if (result.present && !first.longLine)
        result.text.assign(first.bytes);
    return result;
}

} // namespace dravelin
