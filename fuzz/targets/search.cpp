// The search over arbitrary directory contents, under each criterion, with queries taken
// from the contents themselves so that most searches find something. Every result is
// checked against the plain reading in common/reference_directory.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "common/fuzz_check.h"
#include "common/fuzz_input.h"
#include "common/reference_directory.h"
#include "database/line_reader.h"
#include "database/result_line.h"
#include "database/search.h"

namespace dravelin::fuzz {
namespace {

struct Directory {
    std::string_view bytes;
    std::size_t chunkSize = 1; // small, so that lines and CR LF pairs cross the reader's chunks
    std::vector<std::string_view> lines;
    std::vector<ReferenceRecord> records; // every line after the first that has six fields
};

// A query drawn from the file: a record's value as the search compares it, the same with a
// trailing space (which must find nothing), or bytes of the input.
std::string pickQuery(std::uint8_t choice, const Directory& directory, Criterion criterion, std::string_view raw)
{
    const unsigned mode = choice & 3u;
    if (mode == 2 || directory.records.empty())
        return std::string(raw);
    const ReferenceRecord& record = directory.records[(choice >> 2) % directory.records.size()];
    std::string value = referenceValue(record, criterion);
    if (mode == 1)
        value += ' ';
    if (mode == 3) // the start of the value as a prefix query
        value = value.substr(0, (choice >> 4) % (value.size() + 1)) + '*';
    return value;
}

std::vector<std::string> expectedLines(const Directory& directory, Criterion criterion, std::string_view query)
{
    std::vector<std::string> expected;
    for (std::size_t i = 1; i < directory.lines.size(); ++i) {
        const auto record = referenceListable(directory.lines[i]);
        if (record && referenceMatches(*record, criterion, query))
            expected.push_back(referenceResultLine(*record, criterion));
    }
    return expected;
}

void checkSearch(const Directory& directory, Criterion criterion, std::string_view query)
{
    std::istringstream input{std::string(directory.bytes)};
    LineReader reader(input, directory.chunkSize);
    ResultRows found;
    int passes = 0;
    const bool read = searchLines(reader, criterion, query, found, [&] {
        ++passes;
        FUZZ_CHECK(found.empty());
    });
    FUZZ_CHECK(read);
    FUZZ_CHECK(passes == (directory.lines.empty() ? 0 : 1));

    std::vector<std::string> expected = expectedLines(directory, criterion, query);
    FUZZ_CHECK_DETAIL(found.size() == expected.size(), query);
    std::vector<std::string> got;
    for (std::size_t i = 0; i < found.size(); ++i)
        got.push_back(found.displayLine(i));
    std::sort(got.begin(), got.end());
    std::sort(expected.begin(), expected.end());
    FUZZ_CHECK_DETAIL(got == expected, query);

    found.sortForDisplay();
    for (std::size_t i = 0; i + 1 < found.size(); ++i)
        FUZZ_CHECK_DETAIL(!lessIgnoringCase(found.displayLine(i + 1), found.displayLine(i)), found.displayLine(i));

    const bool everything = criterion == Criterion::Department && query == "00";
    const bool prefix = !query.empty() && query.back() == '*';
    // The record side is trimmed, the query is not.
    if (!everything && !query.empty() && (query.front() == ' ' || (!prefix && query.back() == ' ')))
        FUZZ_CHECK_DETAIL(found.empty(), query);
    for (std::size_t i = 0; i < found.size(); ++i) {
        const std::string line = found.displayLine(i);
        FUZZ_CHECK(line.size() == kCallsignColumnWidth + kOrangeListSurname.size() ||
                   line.size() >= kRestColumnStart + 3);
        if (criterion == Criterion::Callsign && !prefix)
            FUZZ_CHECK_DETAIL(referenceCapitals(referenceTrim(line.substr(0, kCallsignColumnWidth))) ==
                                  referenceCapitals(query),
                              line);
    }
}

} // namespace
} // namespace dravelin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace dravelin::fuzz;
    FuzzInput input(data, size);
    std::uint8_t choices[std::size(kAllCriteria)];
    for (std::uint8_t& choice : choices)
        choice = input.takeByte();
    const std::string_view raw = input.takeBytes(input.takeByte() % 40);

    Directory directory;
    directory.chunkSize = 1 + input.takeByte();
    directory.bytes = input.rest();
    directory.lines = referenceLines(directory.bytes);
    for (std::size_t i = 1; i < directory.lines.size(); ++i)
        if (auto record = referenceRecord(directory.lines[i]))
            directory.records.push_back(std::move(*record));

    for (std::size_t i = 0; i < std::size(kAllCriteria); ++i)
        checkSearch(directory, kAllCriteria[i], pickQuery(choices[i], directory, kAllCriteria[i], raw));

    // Department 00 lists every line that can be shown: not empty, six fields, a callsign
    // that fits its column.
    std::size_t listable = 0;
    for (std::size_t i = 1; i < directory.lines.size(); ++i)
        listable += referenceListable(directory.lines[i]) ? 1 : 0;
    std::istringstream whole{std::string(directory.bytes)};
    dravelin::LineReader reader(whole, directory.chunkSize);
    dravelin::ResultRows all;
    FUZZ_CHECK(dravelin::searchLines(reader, dravelin::Criterion::Department, "00", all));
    FUZZ_CHECK(all.size() == listable);
    return 0;
}
