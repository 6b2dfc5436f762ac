#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/criterion.h"

namespace dravelin::fuzz {

// A second, deliberately plain reading of the directory format, written from the format's
// description and not from the program's code, so the fuzzers can compare the two.

// The lines of a file: CR LF, a lone CR and a lone LF each end a line; the end of the file
// ends a last line that has no line end.
std::vector<std::string_view> referenceLines(std::string_view bytes);

struct ReferenceRecord {
    std::string callsign; // before the orange-list marker
    std::string surname;  // "EN LISTE ORANGE" when the marker was found
    std::string firstName;
    std::string address;
    std::string city;
    std::string postcode; // as stored
    bool marked = false;
};

// Nothing for a line with fewer than five ";".
std::optional<ReferenceRecord> referenceRecord(std::string_view line);

std::string referenceTrim(std::string_view text);
std::string referenceDepartment(const ReferenceRecord& record);

// The record's value that the criterion compares with the query, trimmed.
std::string referenceValue(const ReferenceRecord& record, Criterion criterion);
// Small letters as capitals, every other byte as it is.
std::string referenceCapitals(std::string_view text);
// The value equals the query, small letters taken as capitals; a query ending in "*" asks for
// a value that begins with what stands before it.
bool referenceMatches(const ReferenceRecord& record, Criterion criterion, std::string_view query);

// Whether the search lists this line at all: not empty, six fields, callsign in its column.
std::optional<ReferenceRecord> referenceListable(std::string_view line);

std::string referenceResultLine(const ReferenceRecord& record, Criterion criterion);

inline constexpr Criterion kAllCriteria[] = {Criterion::Callsign, Criterion::Surname, Criterion::City,
                                             Criterion::Department};

} // namespace dravelin::fuzz
