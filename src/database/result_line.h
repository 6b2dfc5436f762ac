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

// The number of characters of the result line, without making it.
std::size_t resultLineLength(const DirectoryRecord& record, Criterion criterion);

// The six fields of a listed entry as the list shows them, each trimmed of spaces, the
// postcode with its lost zero restored. A row that the list shows as its callsign and
// "EN LISTE ORANGE" alone gives that text as surname and the other fields empty.
struct ListedEntry {
    std::string callsign;
    std::string surname;
    std::string firstName;
    std::string address;
    std::string city;
    std::string postcode;
    // The list shows "EN LISTE ORANGE" for this entry: alone after the callsign, or in the
    // name column of an entry whose callsign field carries the orange-list marker.
    bool orangeList = false;
};

ListedEntry listedEntryOf(const DirectoryRecord& record, Criterion criterion);

} // namespace dravelin
