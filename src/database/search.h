#pragma once

#include <filesystem>
#include <functional>
#include <istream>
#include <optional>
#include <string_view>

#include "database/criterion.h"
#include "database/directory_file.h"
#include "database/line_reader.h"
#include "database/query_rules.h"
#include "database/record.h"
#include "database/result_rows.h"

namespace dravelin {

// Whether an entry is found by the query: the record's value, trimmed of spaces and folded to
// capitals, equals the query's text (or, for a prefix query, begins with it); under the
// department criterion the query "00" finds every entry, and 2A, 2B and the overseas
// departments 970 to 989 also find the postcodes that begin as department.h says.
bool recordMatches(const DirectoryRecord& record, Criterion criterion, const QueryPattern& pattern);

// The record of one line when the query finds it: a line that cannot be cut into six fields,
// whose callsign is too long for its column, or that does not match gives nothing.
std::optional<DirectoryRecord> foundRecord(std::string_view line, Criterion criterion, const QueryPattern& pattern);

// Adds the row of one record line when it matches. Empty lines, lines that cannot be
// cut into six fields and callsigns too long for their column are passed over.
void searchRecordLine(std::string_view line, Criterion criterion, const QueryPattern& pattern, ResultRows& found);

// Reads the revision line, calls `afterRevisionLine` (the moment the window may handle its
// pending events), then every further line, cutting each one. The found rows, kept under the
// criterion, are left in file order. The plain reading of the rules, kept as the reference that the fast scan is tested
// on. Returns false when the stream failed while it was read.
bool searchLines(LineReader& reader, Criterion criterion, std::string_view query, ResultRows& found,
                 const std::function<void()>& afterRevisionLine = {});

// searchLines over a stream, read in the reader's usual chunks.
bool searchStream(std::istream& input, Criterion criterion, std::string_view query, ResultRows& found,
                  const std::function<void()>& afterRevisionLine = {});

// The whole search over the directory file, its result sorted for display. Finds what
// searchStream finds, by the faster scan of fast_search.h.
FileProblem searchDirectoryFile(const std::filesystem::path& directoryFile, Criterion criterion, std::string_view query,
                                ResultRows& found, const std::function<void()>& afterRevisionLine = {},
                                FileLayer& files = systemFileLayer());

} // namespace dravelin
