// Record splitting, result-line building, revision-line reading and the list order over
// arbitrary lines, each checked against the plain reading in common/reference_directory.
#include <algorithm>
#include <array>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "common/fuzz_check.h"
#include "common/fuzz_input.h"
#include "common/reference_directory.h"
#include "database/line_reader.h"
#include "database/query_rules.h"
#include "database/record.h"
#include "database/result_line.h"
#include "database/result_rows.h"
#include "database/revision_line.h"
#include "database/text_bytes.h"

namespace dravelin::fuzz {
namespace {

// Small chunks put line ends, and CR LF pairs above all, across chunk boundaries.
std::vector<std::string> readLines(std::string_view bytes, std::size_t chunkSize)
{
    std::istringstream input{std::string(bytes)};
    LineReader reader(input, chunkSize);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    FUZZ_CHECK(!reader.failed());
    return lines;
}

void checkSplit(std::string_view line)
{
    const auto record = splitRecordLine(line);
    const auto reference = referenceRecord(line);
    FUZZ_CHECK_DETAIL(record.has_value() == reference.has_value(), line);

    const auto first = firstField(line);
    FUZZ_CHECK_DETAIL(first.has_value() == (line.find(';') != std::string_view::npos), line);
    if (first) {
        FUZZ_CHECK(first->find(';') == std::string_view::npos);
        FUZZ_CHECK(line.substr(0, first->size() + 1) == std::string(*first) + ";");
    }
    if (!record)
        return;

    FUZZ_CHECK_DETAIL(record->callsign == reference->callsign, line);
    FUZZ_CHECK_DETAIL(record->surname == reference->surname, line);
    FUZZ_CHECK_DETAIL(record->firstName == reference->firstName, line);
    FUZZ_CHECK_DETAIL(record->address == reference->address, line);
    FUZZ_CHECK_DETAIL(record->city == reference->city, line);
    FUZZ_CHECK_DETAIL(record->postcode == reference->postcode, line);
    FUZZ_CHECK_DETAIL(record->orangeListMarked == reference->marked, line);
    // An unmarked record is the line itself, cut at its first five separators.
    if (!record->orangeListMarked) {
        const std::string joined = std::string(record->callsign) + ";" + std::string(record->surname) + ";" +
                                   std::string(record->firstName) + ";" + std::string(record->address) + ";" +
                                   std::string(record->city) + ";" + std::string(record->postcode);
        FUZZ_CHECK_DETAIL(joined == line, line);
    }

    std::array<char, 2> storage{};
    const std::string_view department = departmentOf(record->postcode, storage);
    FUZZ_CHECK_DETAIL(department == referenceDepartment(*reference), line);
    FUZZ_CHECK(department.size() <= 2);

    FUZZ_CHECK(fitsResultLine(*record) == (record->callsign.size() <= kCallsignColumnWidth));
    if (!fitsResultLine(*record))
        return;
    for (const Criterion criterion : kAllCriteria) {
        std::string built = "kept";
        appendResultLine(built, *record, criterion);
        FUZZ_CHECK(built.compare(0, 4, "kept") == 0);
        const std::string_view resultLine = std::string_view(built).substr(4);
        FUZZ_CHECK_DETAIL(resultLine == referenceResultLine(*reference, criterion), line);

        // The callsign column, then either the orange-list text alone or the name column
        // and the rest from column 53.
        const std::string_view callColumn = resultLine.substr(0, kCallsignColumnWidth);
        FUZZ_CHECK(callColumn.substr(0, record->callsign.size()) == record->callsign);
        FUZZ_CHECK(callColumn.find_first_not_of(' ', record->callsign.size()) == std::string_view::npos);
        if (resultLine.size() == kCallsignColumnWidth + kOrangeListSurname.size()) {
            FUZZ_CHECK(resultLine.substr(kCallsignColumnWidth) == kOrangeListSurname);
            FUZZ_CHECK(record->surname == orangeListSurnameFor(criterion));
        } else {
            FUZZ_CHECK_DETAIL(resultLine.size() >= kRestColumnStart + 3, line);
            FUZZ_CHECK(resultLine.substr(kRestColumnStart, record->address.size()) == record->address);
            FUZZ_CHECK(resultLine.substr(resultLine.size() - record->city.size()) == record->city);
        }
    }
}

void checkRevisionReading(std::string_view line)
{
    FUZZ_CHECK(revisionLabel(line) == line.substr(0, 12));
    const std::string_view date = revisionDateText(line);
    FUZZ_CHECK(date.size() == std::min<std::size_t>(line.size(), 13));
    FUZZ_CHECK(line.substr(line.size() - date.size()) == date);

    const int number = revisionNumber(line);
    FUZZ_CHECK(number >= 0 && number <= 999);
    const std::string rebuilt = makeRevisionLine(number, date);
    FUZZ_CHECK(revisionNumber(rebuilt) == number);
    const std::string_view label = revisionLabel(rebuilt);
    FUZZ_CHECK(label.size() == 12 && label.substr(0, 9) == kRevisionPrefix);
    FUZZ_CHECK(label.find_first_not_of("0123456789", 9) == std::string_view::npos);
    const std::string_view rebuiltDate = revisionDateText(rebuilt);
    FUZZ_CHECK(rebuiltDate.size() == 13 && rebuiltDate.substr(13 - date.size()) == date);
}

void checkQueryRules(std::string_view text)
{
    FUZZ_CHECK(queryRejection(Criterion::Callsign, text).empty() == (!text.empty() && text.size() <= 12));
    FUZZ_CHECK(queryRejection(Criterion::Surname, text).empty() == (!text.empty() && text.size() <= 32));
    FUZZ_CHECK(queryRejection(Criterion::City, text).empty() == (!text.empty() && text.size() <= 30));
    // Two characters, or three digits beginning 97 or 98 for an overseas department.
    const bool overseas =
        text.size() == 3 && text[0] == '9' && (text[1] == '7' || text[1] == '8') && text[2] >= '0' && text[2] <= '9';
    FUZZ_CHECK(queryRejection(Criterion::Department, text).empty() == (text.size() == 2 || overseas));

    const std::string_view trimmed = trimSpaces(text);
    FUZZ_CHECK(trimmed == referenceTrim(text));
}

// The list order must be a strict total order for sorting to be sound.
void checkOrder(std::string_view a, std::string_view b, std::string_view c)
{
    FUZZ_CHECK(!lessIgnoringCase(a, a));
    const bool ab = lessIgnoringCase(a, b);
    const bool ba = lessIgnoringCase(b, a);
    FUZZ_CHECK(!(ab && ba));
    FUZZ_CHECK((ab || ba) == (a != b));
    if (ab && lessIgnoringCase(b, c))
        FUZZ_CHECK(lessIgnoringCase(a, c));
}

} // namespace
} // namespace dravelin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace dravelin::fuzz;
    FuzzInput input(data, size);
    const std::size_t chunkSize = 1 + input.takeByte() % 64;
    const std::string_view bytes = input.rest();

    const std::vector<std::string_view> expected = referenceLines(bytes);
    const std::vector<std::string> lines = readLines(bytes, chunkSize);
    FUZZ_CHECK(lines.size() == expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        FUZZ_CHECK_DETAIL(lines[i] == expected[i], expected[i]);

    for (std::size_t i = 0; i < lines.size(); ++i) {
        checkSplit(lines[i]);
        checkRevisionReading(lines[i]);
        checkQueryRules(lines[i]);
        if (i + 2 < lines.size())
            checkOrder(lines[i], lines[i + 1], lines[i + 2]);
    }
    return 0;
}
