#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/list_output.h"
#include "database/search.h"

namespace dravelin {
namespace {

std::string pad(const std::string& text, std::size_t width)
{
    return text + std::string(width - text.size(), ' ');
}

ResultRows rowsOf(const std::vector<std::string>& recordLines)
{
    ResultRows rows;
    rows.setCriterion(Criterion::City);
    for (const std::string& line : recordLines)
        EXPECT_TRUE(rows.add(line));
    return rows;
}

const std::string kCredit = std::string(kCreditLine) + "\r\n";

TEST(ListOutput, CreditLineIsIndentedBy29Spaces)
{
    ASSERT_GT(kCreditLine.size(), 29u);
    EXPECT_EQ(kCreditLine.substr(0, 29), std::string(29, ' '));
    EXPECT_NE(kCreditLine[29], ' ');
}

struct CsvCase {
    const char* name;
    std::string listLine;
    std::string csvLine;
};

TEST(ListOutput, CsvLineCutsTheThreeColumnsAndTrimsOnlySpaces)
{
    const std::string name40 = "DE LA FONTAINE-MONTMORENCY Jean-Baptiste";
    const CsvCase cases[] = {
        {"padding of the first two columns goes, inner spaces of the third stay",
         pad("F1ABC", 12) + pad("DUPONT Jean", 40) + "12 rue Haute  75002 PARIS",
         "F1ABC;DUPONT Jean;12 rue Haute  75002 PARIS"},
        {"a full name column stays whole in field 2", pad("F1ABC", 12) + name40 + "A  75001 V",
         "F1ABC;" + name40 + ";A  75001 V"},
        {"a 12-character callsign touching the name", "F1ABCDEFGHIJDUPONT Jean" + std::string(29, ' ') + "A  75001 V",
         "F1ABCDEFGHIJ;DUPONT Jean;A  75001 V"},
        {"orange-list line of 27 characters: empty third field", pad("F2AA", 12) + "EN LISTE ORANGE",
         "F2AA;EN LISTE ORANGE;"},
        {"only spaces after column 52", pad("F1ABC", 12) + pad("D J", 40) + "   ", "F1ABC;D J;"},
        {"a line ending inside the callsign column", "F1A", "F1A;;"},
        {"an empty line", "", ";;"},
        {"tabs and semicolons are kept", pad("F1ABC", 12) + pad("D\tJ", 40) + "\t1;2 rue  75001 V\t",
         "F1ABC;D\tJ;\t1;2 rue  75001 V\t"},
        {"Windows-1252 letters pass unchanged",
         pad("F4XYZ", 12) + pad("L\xC9VY H\xE9l\xE8ne", 40) +
             "3 all\xE9"
             "e  27000 \xC9VREUX",
         "F4XYZ;L\xC9VY H\xE9l\xE8ne;3 all\xE9"
         "e  27000 \xC9VREUX"},
    };
    for (const CsvCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out;
        appendCsvLine(out, c.listLine);
        EXPECT_EQ(out, c.csvLine);
    }
}

struct FileCase {
    const char* name;
    std::vector<std::string> recordLines;
    std::string text;
    std::string csv;
};

TEST(ListOutput, WholeFilesEndWithTheCreditLine)
{
    const std::string dupont = pad("F1ABC", 12) + pad("DUPONT Jean", 40) + "12 rue Haute  75002 PARIS";
    const std::string orange = pad("F2AA", 12) + "EN LISTE ORANGE";
    const FileCase cases[] = {
        {"empty list: the credit line alone", {}, kCredit, kCredit},
        {"lines in list order, each with CR LF",
         {"F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002", "F2AA;LISTE ORANGE;;;PARIS;75004"},
         dupont + "\r\n" + orange + "\r\n" + kCredit,
         "F1ABC;DUPONT Jean;12 rue Haute  75002 PARIS\r\nF2AA;EN LISTE ORANGE;\r\n" + kCredit},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultRows list = rowsOf(c.recordLines);
        EXPECT_EQ(textOutput(list), c.text);
        EXPECT_EQ(csvOutput(list), c.csv);
    }
}

struct SpreadsheetCase {
    const char* name;
    std::string record;
    Criterion criterion;
    SpreadsheetRow row;
};

TEST(ListOutput, SpreadsheetRowsHoldTheSixFieldsInUtf8)
{
    const SpreadsheetCase cases[] = {
        {"six cells",
         "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002",
         Criterion::City,
         {"F1ABC", "DUPONT", "Jean", "12 rue Haute", "75002", "PARIS"}},
        {"leading zero restored",
         "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000",
         Criterion::Department,
         {"F8BRG", "BOURG", "Marc", "2 place D", "01000", "BOURG EN BRESSE"}},
        {"orange list: callsign and EN LISTE ORANGE",
         "F2AA;LISTE ORANGE;;;PARIS;75004",
         Criterion::City,
         {"F2AA", "EN LISTE ORANGE", "", "", "", ""}},
        {"separator in a cell", "F1ABC;D;J;A;V;75;001", Criterion::City, {"F1ABC", "D", "J", "A", "75;001", "V"}},
        {"quote in a cell",
         "F1ABC;D \"LE GRAND\";J;A;V;75001",
         Criterion::City,
         {"F1ABC", "D \"LE GRAND\"", "J", "A", "75001", "V"}},
        {"formula-like texts stay as they are",
         "F1ABC;=1+1;@SUM(1);-2+3;V;+33 612",
         Criterion::City,
         {"F1ABC", "=1+1", "@SUM(1)", "-2+3", "+33 612", "V"}},
        {"accents become UTF-8",
         "F4XYZ;L\xC9VY;H\xE9l\xE8ne;A;\xC9VREUX;27000",
         Criterion::City,
         {"F4XYZ", "L\xC3\x89VY", "H\xC3\xA9l\xC3\xA8ne", "A", "27000", "\xC3\x89VREUX"}},
    };
    for (const SpreadsheetCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResultRows list;
        list.setCriterion(c.criterion);
        ASSERT_TRUE(list.add(c.record));
        EXPECT_EQ(spreadsheetRows(list), std::vector<SpreadsheetRow>{c.row});
    }
    EXPECT_TRUE(spreadsheetRows(ResultRows()).empty());
    EXPECT_EQ(kSpreadsheetHeading,
              (SpreadsheetRow{"Indicatif", "Nom", "Pr\xC3\xA9nom", "Adresse", "Code postal", "Ville"}));
}

} // namespace
} // namespace dravelin
