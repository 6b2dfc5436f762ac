#pragma once

#include <filesystem>
#include <functional>
#include <istream>
#include <string_view>

#include "database/criterion.h"
#include "database/directory_file.h"
#include "database/line_reader.h"
#include "database/record.h"
#include "database/result_lines.h"

namespace dravelin {

// Whether an entry is found by the query: the record's value, trimmed of spaces, equals the
// query exactly; under the department criterion the query "00" finds every entry.
bool recordMatches(const DirectoryRecord& record, Criterion criterion, std::string_view query);

// Adds the result line of one record line when it matches. Empty lines, lines that cannot be
// cut into six fields and callsigns too long for their column are passed over.
void searchRecordLine(std::string_view line, Criterion criterion, std::string_view query, ResultLines& found);

// Reads the revision line, calls `afterRevisionLine` (the moment the window may handle its
// pending events), then every further line. The found lines are left in file order.
// Returns false when the stream failed while it was read.
bool searchLines(LineReader& reader, Criterion criterion, std::string_view query, ResultLines& found,
                 const std::function<void()>& afterRevisionLine = {});

// searchLines over a stream, read in the reader's usual chunks.
bool searchStream(std::istream& input, Criterion criterion, std::string_view query, ResultLines& found,
                  const std::function<void()>& afterRevisionLine = {});

// The whole search over the directory file, its result sorted for display.
FileProblem searchDirectoryFile(const std::filesystem::path& directoryFile, Criterion criterion,
                                std::string_view query, ResultLines& found,
                                const std::function<void()>& afterRevisionLine = {});

} // namespace dravelin
