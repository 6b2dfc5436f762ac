#include "database/search.h"

#include <array>
#include <memory>

#include "database/capital_fold.h"
#include "database/department.h"
#include "database/fast_search.h"
#include "database/line_reader.h"
#include "database/result_line.h"
#include "database/text_bytes.h"

namespace dravelin {

namespace {

bool valueMatches(std::string_view value, const QueryPattern& pattern)
{
    const std::string_view trimmed = trimSpaces(value);
    return pattern.prefix ? startsWithIgnoringCase(trimmed, pattern.text) : equalIgnoringCase(trimmed, pattern.text);
}

} // namespace

bool recordMatches(const DirectoryRecord& record, Criterion criterion, const QueryPattern& pattern)
{
    switch (criterion) {
    case Criterion::Callsign:
        return valueMatches(record.callsign, pattern);
    case Criterion::Surname:
        return valueMatches(record.surname, pattern);
    case Criterion::City:
        return valueMatches(record.city, pattern);
    case Criterion::Department: {
        if (!pattern.prefix && pattern.text == "00")
            return true;
        std::array<char, 2> storage{};
        if (valueMatches(departmentOf(record.postcode, storage), pattern))
            return true;
        // 2A, 2B and the overseas departments are not the first two characters of their postcodes.
        const std::optional<PostcodeStarts> starts = pattern.prefix ? std::nullopt : namedPostcodeStarts(pattern.text);
        return starts && beginsWithin(record.postcode, *starts);
    }
    }
    return false;
}

std::optional<DirectoryRecord> foundRecord(std::string_view line, Criterion criterion, const QueryPattern& pattern)
{
    // A line longer than the longest is passed over as the readers pass it over.
    if (line.empty() || line.size() > kLongestLine)
        return std::nullopt;
    const auto record = splitRecordLine(line);
    if (!record || !fitsResultLine(*record) || !recordMatches(*record, criterion, pattern))
        return std::nullopt;
    return record;
}

void searchRecordLine(std::string_view line, Criterion criterion, const QueryPattern& pattern, ResultRows& found)
{
    if (const auto record = foundRecord(line, criterion, pattern))
        found.add(line, *record);
}

bool searchStream(std::istream& input, Criterion criterion, std::string_view query, ResultRows& found,
                  const std::function<void()>& afterRevisionLine)
{
    LineReader reader(input);
    return searchLines(reader, criterion, query, found, afterRevisionLine);
}

bool searchLines(LineReader& reader, Criterion criterion, std::string_view query, ResultRows& found,
                 const std::function<void()>& afterRevisionLine)
{
    std::string_view line;
    if (!reader.next(line))
        return !reader.failed();
    found.setCriterion(criterion);
    if (afterRevisionLine)
        afterRevisionLine();
    const QueryPattern pattern = patternOf(query);
    while (reader.next(line))
        searchRecordLine(line, criterion, pattern, found);
    return !reader.failed();
}

FileProblem searchDirectoryFile(const std::filesystem::path& directoryFile, Criterion criterion, std::string_view query,
                                ResultRows& found, const std::function<void()>& afterRevisionLine, FileLayer& files)
{
    found.clear();
    std::unique_ptr<ReadHandle> input;
    const FileProblem problem = openForReading(directoryFile, files, input);
    if (problem != FileProblem::None)
        return problem;
    ScanTuning tuning;
    if (const auto size = input->size())
        tuning.expectedBytes = static_cast<std::size_t>(*size);
    // A read error part-way gives no list: what was found so far is not the whole answer.
    if (!scanFile(*input, criterion, query, found, afterRevisionLine, tuning)) {
        found.clear();
        return FileProblem::NotReadable;
    }
    found.sortForDisplay();
    return FileProblem::None;
}

} // namespace dravelin
