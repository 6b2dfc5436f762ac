#include "database/label_sheet.h"

#include <algorithm>

#include "database/record.h"
#include "database/result_line.h"
#include "database/text_bytes.h"

namespace dravelin {

namespace {

// Joins the non-empty parts with one space, so that a missing first name or city leaves no
// stray space at the start or the end of the line.
std::string joinedWithSpace(std::string_view first, std::string_view second)
{
    std::string line(first);
    if (!line.empty() && !second.empty())
        line += ' ';
    line.append(second);
    return line;
}

} // namespace

const std::vector<LabelSheet>& labelSheets()
{
    // The common A4 sheets: the 70 mm labels run from edge to edge, rows centred on the
    // paper's height; the 99.1 mm ones keep a 2.5 mm gap between columns and 15.15 mm above
    // and below.
    static const std::vector<LabelSheet> sheets{
        {"A4, 3 × 8 étiquettes de 70 × 37 mm", 210, 297, 3, 8, 70, 37, 0, 0.5, 70, 37},
        {"A4, 2 × 7 étiquettes de 99,1 × 38,1 mm", 210, 297, 2, 7, 99.1, 38.1, 4.65, 15.15, 101.6, 38.1},
        {"A4, 3 × 7 étiquettes de 70 × 42,3 mm", 210, 297, 3, 7, 70, 42.3, 0, 0.45, 70, 42.3},
    };
    return sheets;
}

std::size_t labelSheetNamed(std::string_view name)
{
    const std::vector<LabelSheet>& sheets = labelSheets();
    for (std::size_t index = 0; index < sheets.size(); ++index)
        if (sheets[index].name == name)
            return index;
    return kDefaultLabelSheet;
}

LabelBox labelBox(const LabelSheet& sheet, std::size_t row, std::size_t column)
{
    return {sheet.leftMargin + static_cast<double>(column) * sheet.columnPitch,
            sheet.topMargin + static_cast<double>(row) * sheet.rowPitch, sheet.labelWidth, sheet.labelHeight};
}

std::size_t clampedFirstLabel(const LabelSheet& sheet, std::size_t firstLabel)
{
    return std::clamp<std::size_t>(firstLabel, 1, sheet.labelsPerSheet());
}

std::vector<LabelPlace> labelPlaces(const LabelSheet& sheet, std::size_t firstLabel, std::size_t count)
{
    const std::size_t perSheet = sheet.labelsPerSheet();
    const std::size_t skipped = clampedFirstLabel(sheet, firstLabel) - 1;
    std::vector<LabelPlace> places;
    places.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        const std::size_t position = skipped + index;
        const std::size_t onSheet = position % perSheet;
        places.push_back({position / perSheet, onSheet / sheet.columns, onSheet % sheet.columns});
    }
    return places;
}

std::size_t labelPageCount(const LabelSheet& sheet, std::size_t firstLabel, std::size_t count)
{
    if (count == 0)
        return 0;
    const std::size_t perSheet = sheet.labelsPerSheet();
    return (clampedFirstLabel(sheet, firstLabel) - 1 + count + perSheet - 1) / perSheet;
}

bool isOrangeListSurname(std::string_view surname)
{
    return surname == kOrangeListSurname || surname == kListeOrange;
}

LabelLines labelLines(const LabelEntry& entry)
{
    std::string postcode(trimSpaces(entry.postcode));
    if (postcode.size() == kPostcodeLosingZeroLength)
        postcode.insert(0, 1, '0');
    return {std::string(trimSpaces(entry.callsign)),
            joinedWithSpace(trimSpaces(entry.firstName), trimSpaces(entry.surname)),
            std::string(trimSpaces(entry.address)), joinedWithSpace(postcode, trimSpaces(entry.city))};
}

LabelRun labelRunOf(const std::vector<LabelEntry>& entries)
{
    LabelRun run;
    run.labels.reserve(entries.size());
    for (const LabelEntry& entry : entries) {
        if (entry.orangeList)
            ++run.orangeListLeftOut;
        else
            run.labels.push_back(labelLines(entry));
    }
    return run;
}

std::string nothingToLabelMessage(const LabelRun& run)
{
    if (!run.labels.empty())
        return {};
    if (run.orangeListLeftOut == 0)
        return "La liste est vide : aucune étiquette n'a été imprimée.";
    return "Aucune étiquette n'a été imprimée : les entrées de la liste sont toutes en liste orange, "
           "leur adresse n'est pas publiée.";
}

std::string labelsPrintedMessage(const LabelRun& run)
{
    return std::to_string(run.labels.size()) + " étiquette(s) imprimée(s).\r\n" +
           std::to_string(run.orangeListLeftOut) +
           " entrée(s) en liste orange laissée(s) de côté : leur adresse n'est pas publiée.";
}

} // namespace dravelin
