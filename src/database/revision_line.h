#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "database/directory_file.h"

namespace dravelin {

// The first line of the directory file: "Base Rev 255  du 11/08/2009".
inline constexpr std::string_view kRevisionPrefix = "Base Rev ";
inline constexpr std::string_view kRevisionDateSeparator = "  du ";

// Its first 12 characters, "Base Rev 255" (all of a shorter line).
std::string_view revisionLabel(std::string_view revisionLine);

// Its last 13 characters, "du 11/08/2009" (all of a shorter line).
std::string_view revisionDateText(std::string_view revisionLine);

// The number at characters 10 to 12: spaces are skipped, digits are read up to the first
// other character, and no digit at all reads as 0.
int revisionNumber(std::string_view revisionLine);

// "Base Rev " + the number on three digits + "  du " + the date text.
std::string makeRevisionLine(int number, std::string_view dateText);

// The highest revision that the three digits of the revision line can hold.
inline constexpr int kHighestRevision = 999;

// The revision line one revision after `revisionLine`, dated `dateText`; nothing past 999,
// which would need a fourth digit and shift the date out of its place.
std::optional<std::string> raisedRevisionLine(std::string_view revisionLine, std::string_view dateText);

struct FirstLine {
    FileProblem problem = FileProblem::None;
    bool present = false; // false for a completely empty file
    std::string text;
};

// Reads the revision line and nothing more. A line longer than the longest line read whole
// (line_reader.h) gives an empty text, as an empty file does.
FirstLine readRevisionLine(const std::filesystem::path& directoryFile, FileLayer& files = systemFileLayer());

} // namespace dravelin
