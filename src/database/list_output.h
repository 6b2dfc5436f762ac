#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "database/result_rows.h"

namespace dravelin {

// The last line of a saved list and of a printout, Windows-1252, 29 spaces of indent.
extern const std::string_view kCreditLine;

// Appends one list line in the form of an output file, without its line end.
using LineConverter = void (*)(std::string& out, std::string_view listLine);

// The text form: the line exactly as the list shows it.
void appendTextLine(std::string& out, std::string_view listLine);

// The CSV form: the callsign, name and rest columns, each trimmed of spaces, joined by ";".
// A line that stops before the rest column (an orange-list line) gives an empty third field.
void appendCsvLine(std::string& out, std::string_view listLine);

// The shown line of every row converted and ended by CR LF, then the credit line and CR LF.
std::string listOutput(const ResultRows& rows, LineConverter convert);

inline std::string textOutput(const ResultRows& rows)
{
    return listOutput(rows, appendTextLine);
}

inline std::string csvOutput(const ResultRows& rows)
{
    return listOutput(rows, appendCsvLine);
}

// A row of the spreadsheet save: callsign, surname, first name, address, postcode, city.
using SpreadsheetRow = std::array<std::string, 6>;

// The heading row of the spreadsheet save, UTF-8.
extern const SpreadsheetRow kSpreadsheetHeading;

// One row per listed line, its six fields (ResultRows::entryAt) in UTF-8: the callsign
// and "EN LISTE ORANGE" for an orange-list line, the rest empty.
std::vector<SpreadsheetRow> spreadsheetRows(const ResultRows& rows);

} // namespace dravelin
