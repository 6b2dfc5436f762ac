#include "database/spreadsheet_file.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <memory>

namespace dravelin {

namespace {

constexpr double kNarrowestColumn = 6;
constexpr double kWidestColumn = 60;

// Characters, not bytes, set a column's width.
std::size_t characterCount(const std::string& utf8)
{
    return static_cast<std::size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }));
}

std::string failureOf(lxw_error error)
{
    switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
        return "le classeur ne peut pas être créé (dossier absent ou protégé en écriture ?).";
    case LXW_ERROR_CREATING_TMPFILE:
        return "les fichiers de travail du classeur ne peuvent pas être créés.";
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return "la mémoire manque pour préparer le classeur.";
    default:
        break;
    }
    return "l'écriture du classeur a échoué (disque plein ?) : " + std::string(lxw_strerror(error));
}

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};

} // namespace

std::optional<std::string> writeSpreadsheet(const std::filesystem::path& file, const SpreadsheetRow& heading,
                                            const std::vector<SpreadsheetRow>& rows)
{
    // The library's own scratch files go beside the workbook, not to the system's shared folder.
    std::string scratchFolder = file.parent_path().string();
    lxw_workbook_options options{};
    options.tmpdir = scratchFolder.empty() ? nullptr : scratchFolder.data();
    const std::string name = file.string();
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(workbook_new_opt(name.c_str(), &options));
    if (!workbook)
        return failureOf(LXW_ERROR_MEMORY_MALLOC_FAILED);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook.get(), "Liste");
    lxw_format* bold = workbook_add_format(workbook.get());
    if (!sheet || !bold)
        return failureOf(LXW_ERROR_MEMORY_MALLOC_FAILED);
    format_set_bold(bold);

    std::array<std::size_t, std::tuple_size_v<SpreadsheetRow>> widest{};
    lxw_error error = LXW_NO_ERROR;
    const auto writeRow = [&](lxw_row_t row, const SpreadsheetRow& cells, lxw_format* format) {
        for (std::size_t column = 0; column < cells.size() && error == LXW_NO_ERROR; ++column) {
            widest[column] = std::max(widest[column], characterCount(cells[column]));
            // An empty cell stays blank: there is nothing to keep as text.
            if (!cells[column].empty())
                error =
                    worksheet_write_string(sheet, row, static_cast<lxw_col_t>(column), cells[column].c_str(), format);
        }
    };
    writeRow(0, heading, bold);
    for (std::size_t index = 0; index < rows.size() && error == LXW_NO_ERROR; ++index)
        writeRow(static_cast<lxw_row_t>(index + 1), rows[index], nullptr);
    if (error != LXW_NO_ERROR)
        return failureOf(error);

    for (std::size_t column = 0; column < widest.size(); ++column) {
        // Two characters more leave room for the autofilter's button.
        const double width = std::clamp(static_cast<double>(widest[column]) + 2, kNarrowestColumn, kWidestColumn);
        worksheet_set_column(sheet, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column), width, nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(rows.size()), static_cast<lxw_col_t>(heading.size() - 1));

    error = workbook_close(workbook.release());
    if (error != LXW_NO_ERROR)
        return failureOf(error);
    return std::nullopt;
}

} // namespace dravelin
