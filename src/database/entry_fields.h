#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace dravelin {

// The six fields of an entry, in the order of a record line.
enum class EntryField { Callsign, Surname, FirstName, Address, City, Postcode };
inline constexpr std::size_t kEntryFieldCount = 6;

// The caption of the field in the editing window, UTF-8.
std::string_view fieldCaption(EntryField field);

// The check a typed field passes at Enter. Returns the message to show (UTF-8), or an empty
// text when the field may be stored. Lengths count Windows-1252 bytes, one per character.
// Besides its length, a field may hold neither ";" nor a line break, which would cut the
// stored line into the wrong fields or into two lines.
std::string fieldRejection(EntryField field, std::string_view bytes);

// The record line of six fields: joined by ";", nothing trimmed, padded or checked.
std::string joinRecordFields(const std::array<std::string, kEntryFieldCount>& fields);

} // namespace dravelin
