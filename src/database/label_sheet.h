#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "database/result_line.h"

namespace dravelin {

// A sheet of self-adhesive labels: its paper and a grid of equal labels. Lengths in
// millimetres, measured from the paper's top-left corner.
struct LabelSheet {
    std::string_view name; // UTF-8, as the "Étiquettes" dialog lists it and the settings keep it
    double paperWidth;
    double paperHeight;
    std::size_t columns;
    std::size_t rows;
    double labelWidth;
    double labelHeight;
    double leftMargin;  // from the paper's left edge to the first column
    double topMargin;   // from the paper's top edge to the first row
    double columnPitch; // from one label's left edge to the next one's
    double rowPitch;    // from one label's top edge to the next one's

    std::size_t labelsPerSheet() const { return columns * rows; }
};

// The sheets offered, the default first.
const std::vector<LabelSheet>& labelSheets();
inline constexpr std::size_t kDefaultLabelSheet = 0;
// The index of the sheet of that name; the default one for a name no longer offered.
std::size_t labelSheetNamed(std::string_view name);

// One label of a sheet, counted from 0 along the rows: where it lies on the paper.
struct LabelBox {
    double left;
    double top;
    double width;
    double height;
};
LabelBox labelBox(const LabelSheet& sheet, std::size_t row, std::size_t column);

// Where one label of the job goes.
struct LabelPlace {
    std::size_t page; // from 0
    std::size_t row;
    std::size_t column;
    bool operator==(const LabelPlace& other) const
    {
        return page == other.page && row == other.row && column == other.column;
    }
};

// A first label outside 1 to the labels of a sheet is taken as the nearest one there is.
std::size_t clampedFirstLabel(const LabelSheet& sheet, std::size_t firstLabel);

// The places of `count` labels: the first one at label `firstLabel` (1 = top left, counted
// left to right along each row, then down) of the first sheet, each next one at the next
// label, the sheets after the first from their first label on.
std::vector<LabelPlace> labelPlaces(const LabelSheet& sheet, std::size_t firstLabel, std::size_t count);
std::size_t labelPageCount(const LabelSheet& sheet, std::size_t firstLabel, std::size_t count);

// An entry of the list to label, Windows-1252 as the list holds it: its six fields as the list
// shows them, and whether its holder asked that the address not be published.
using LabelEntry = ListedEntry;

// Whether a surname as the list shows it marks an orange-list entry, in either form the file
// uses ("EN LISTE ORANGE" read for a marked callsign, "LISTE ORANGE" stored as the surname).
bool isOrangeListSurname(std::string_view surname);

// The text of a label, Windows-1252: the callsign, "first name SURNAME", the address and
// "POSTCODE CITY", each field trimmed of spaces, a 4-character postcode given back its
// leading zero as in the list. The first line is the one printed in bold.
inline constexpr std::size_t kLabelLineCount = 4;
using LabelLines = std::array<std::string, kLabelLineCount>;
LabelLines labelLines(const LabelEntry& entry);

// The labels of a list, in its order, without its orange-list entries.
struct LabelRun {
    std::vector<LabelLines> labels;
    std::size_t orangeListLeftOut = 0;
};
LabelRun labelRunOf(const std::vector<LabelEntry>& entries);

// What the user is told, UTF-8: why nothing can be printed (empty when labels can be), and
// what was printed.
std::string nothingToLabelMessage(const LabelRun& run);
std::string labelsPrintedMessage(const LabelRun& run);

} // namespace dravelin
