#pragma once

#include <string_view>

namespace dravelin {

// The callsign an editing operation is about: the first 12 characters of the selected result
// line (its callsign column), spaces trimmed at both ends.
std::string_view entryKey(std::string_view selectedLine);

// Whether a record line is the entry of that key: its text before the first ";" equals the
// key exactly, nothing trimmed, capitals and small letters distinct. A line without any ";"
// has no first field and never matches.
bool lineMatchesKey(std::string_view line, std::string_view key);

} // namespace dravelin
