#pragma once

#include <array>
#include <string>
#include <string_view>

#include "database/criterion.h"
#include "database/record.h"

namespace dravelin {

// A result line: the callsign padded to 12 columns, surname and first name cut or padded
// to 40 columns, then address, two spaces, postcode, one space, city.
inline constexpr std::size_t kCallsignColumnWidth = 12;
inline constexpr std::size_t kNameColumnWidth = 40;
inline constexpr std::size_t kRestColumnStart = kCallsignColumnWidth + kNameColumnWidth;

// A 4-character postcode is a department 01 to 09 that lost its leading zero.
inline constexpr std::size_t kPostcodeLosingZeroLength = 4;

// The first two characters of the postcode once its leading zero is restored.
// `storage` holds the characters when they have to be made up.
std::string_view departmentOf(std::string_view storedPostcode, std::array<char, 2>& storage);

// The surname that makes a result line show only "EN LISTE ORANGE" under this criterion.
std::string_view orangeListSurnameFor(Criterion criterion);

// Whether the callsign fits its column; a longer one cannot be shown without breaking it.
bool fitsResultLine(const DirectoryRecord& record);

// Appends the result line of the record, as found under the criterion.
void appendResultLine(std::string& out, const DirectoryRecord& record, Criterion criterion);

// Appends what the result line of the record loses of its fields -- where the surname ends in
// the name column, what that column cut off, how long address and postcode are -- so that
// shownFields can take the line apart again. Nothing for a line that shows "EN LISTE ORANGE".
void appendFieldLengths(std::string& out, const DirectoryRecord& record, Criterion criterion);

// The six fields a result line shows, trimmed of spaces: callsign, surname, first name,
// address, postcode (its zero restored), city. A line that shows "EN LISTE ORANGE" gives its
// callsign and that text as surname, the rest empty. Without the lengths of appendFieldLengths,
// the name column goes whole into the surname and the rest of the line into the address.
std::array<std::string, 6> shownFields(std::string_view line, std::string_view fieldLengths);

} // namespace dravelin
