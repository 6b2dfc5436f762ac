#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace dravelin {

// Text after the callsign in the first field of an entry withheld from publication.
inline constexpr std::string_view kOrangeListMarker = "CET INDICATIF EST ATTRIBUE MAIS";
// The surname such an entry is read with, whatever its second field holds.
inline constexpr std::string_view kOrangeListSurname = "EN LISTE ORANGE";
// The other way the file marks a withheld entry: exactly this as its second field.
inline constexpr std::string_view kListeOrange = "LISTE ORANGE";

// One entry cut into its six fields, views into the line it was cut from.
struct DirectoryRecord {
    std::string_view callsign; // before the orange-list marker; nothing trimmed
    std::string_view surname;  // kOrangeListSurname when the marker was found
    std::string_view firstName;
    std::string_view address;
    std::string_view city;
    std::string_view postcode; // everything after the fifth ";", further ";" included
    bool orangeListMarked = false;
};

// Cuts a record line at its first five ";" and applies the orange-list marker.
// A line with fewer than five ";" cannot be cut and gives nothing.
std::optional<DirectoryRecord> splitRecordLine(std::string_view line);

// The same cut when the positions of the first five ";" are already known, as a scan that
// walks over every separator of the file finds them.
DirectoryRecord recordAtSeparators(std::string_view line, const std::array<std::size_t, 5>& separators);

// The text before the first ";", unchanged: the key that modify and delete compare.
// A line without any ";" has no first field.
std::optional<std::string_view> firstField(std::string_view line);

} // namespace dravelin
