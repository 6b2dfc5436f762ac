#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "database/list_output.h"

namespace dravelin {

// Writes an Office Open XML workbook (.xlsx) of one sheet at `file`: the heading row, bold,
// frozen and with an autofilter, then the rows. Every cell is text, so that a spreadsheet keeps
// a postcode's leading zero and never runs "=1+1" as a formula; each column is as wide as its
// longest text. Texts are UTF-8. Returns a French description of a failure; a failure may
// leave a partial file at `file`, so write it where nothing else lives.
std::optional<std::string> writeSpreadsheet(const std::filesystem::path& file, const SpreadsheetRow& heading,
                                            const std::vector<SpreadsheetRow>& rows);

} // namespace dravelin
