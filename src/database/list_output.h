#pragma once

#include <string>
#include <string_view>

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

// The list for spreadsheets, still in Windows-1252: a heading row, then one row per entry with
// its six fields (ResultRows::entryAt) as cells; ";" between cells, CR LF after each
// row, a cell quoted (and its quotes doubled) where it holds ";", a quote or a line end. No
// credit line: it would be a row of its own.
std::string spreadsheetOutput(const ResultRows& rows);

} // namespace dravelin
