#include "database/search.h"

#include <array>
#include <fstream>

#include "database/fast_search.h"
#include "database/line_reader.h"
#include "database/result_line.h"
#include "database/text_bytes.h"

namespace dravelin {

bool recordMatches(const DirectoryRecord& record, Criterion criterion, std::string_view query)
{
    switch (criterion) {
    case Criterion::Callsign:
        return trimSpaces(record.callsign) == query;
    case Criterion::Surname:
        return trimSpaces(record.surname) == query;
    case Criterion::City:
        return trimSpaces(record.city) == query;
    case Criterion::Department: {
        if (query == "00")
            return true;
        std::array<char, 2> storage{};
        return trimSpaces(departmentOf(record.postcode, storage)) == query;
    }
    }
    return false;
}

std::optional<DirectoryRecord> foundRecord(std::string_view line, Criterion criterion, std::string_view query)
{
    if (line.empty())
        return std::nullopt;
    const auto record = splitRecordLine(line);
    if (!record || !fitsResultLine(*record) || !recordMatches(*record, criterion, query))
        return std::nullopt;
    return record;
}

void searchRecordLine(std::string_view line, Criterion criterion, std::string_view query, ResultLines& found)
{
    if (const auto record = foundRecord(line, criterion, query))
        found.addWith([&](std::string& out) { appendResultLine(out, *record, criterion); });
}

bool searchStream(std::istream& input, Criterion criterion, std::string_view query, ResultLines& found,
                  const std::function<void()>& afterRevisionLine)
{
    LineReader reader(input);
    return searchLines(reader, criterion, query, found, afterRevisionLine);
}

bool searchLines(LineReader& reader, Criterion criterion, std::string_view query, ResultLines& found,
                 const std::function<void()>& afterRevisionLine)
{
    std::string_view line;
    if (!reader.next(line))
        return !reader.failed();
    if (afterRevisionLine)
        afterRevisionLine();
    while (reader.next(line))
        searchRecordLine(line, criterion, query, found);
    return !reader.failed();
}

FileProblem searchDirectoryFile(const std::filesystem::path& directoryFile, Criterion criterion,
                                std::string_view query, ResultLines& found,
                                const std::function<void()>& afterRevisionLine)
{
    found.clear();
    std::ifstream stream;
    const FileProblem problem = openForReading(directoryFile, stream);
    if (problem != FileProblem::None)
        return problem;
    ScanTuning tuning;
    std::error_code sizeUnknown;
    const auto size = std::filesystem::file_size(directoryFile, sizeUnknown);
    if (!sizeUnknown)
        tuning.expectedBytes = static_cast<std::size_t>(size);
    if (!scanStream(stream, criterion, query, found, afterRevisionLine, tuning)) {
        found.clear();
        return FileProblem::NotReadable;
    }
    found.sortForDisplay();
    return FileProblem::None;
}

} // namespace dravelin
