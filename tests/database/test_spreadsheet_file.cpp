#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "database/spreadsheet_file.h"
#include "support/file_faults.h"

namespace dravelin {
namespace {

std::string fileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct WorkbookCase {
    const char* name;
    const char* relativePath; // inside a fresh temporary folder
    std::vector<SpreadsheetRow> rows;
    bool written;
};

// What the cells hold is read back by LibreOffice Calc in test_main_output; here, where the
// workbook goes and how a failure is told.
TEST(SpreadsheetFile, WritesAWorkbookOrTellsWhyInFrench)
{
    const WorkbookCase cases[] = {
        {"heading alone", "liste.xlsx", {}, true},
        {"rows",
         "liste.xlsx",
         {{"F1ABC", "=1+1", "J", "A", "01000", "V"}, {"F2AA", "EN LISTE ORANGE", "", "", "", ""}},
         true},
        {"a folder that does not exist", "absent/liste.xlsx", {{"F1ABC", "D", "J", "A", "01000", "V"}}, false},
    };
    for (const WorkbookCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TemporaryFolder folder;
        const std::filesystem::path file = folder.path() / c.relativePath;
        const std::optional<std::string> failure = writeSpreadsheet(file, kSpreadsheetHeading, c.rows);
        if (c.written) {
            EXPECT_EQ(failure, std::nullopt);
            EXPECT_EQ(fileBytes(file).substr(0, 2), "PK"); // a zip container, as every .xlsx
        } else {
            ASSERT_TRUE(failure);
            EXPECT_NE(failure->find("classeur"), std::string::npos) << *failure;
            EXPECT_FALSE(std::filesystem::exists(file));
        }
    }
}

} // namespace
} // namespace dravelin
