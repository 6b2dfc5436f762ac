#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/label_sheet.h"

namespace dravelin {
namespace {

// Names each row of a table by its `name`.
struct CaseName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& row) const
    {
        return row.param.name;
    }
};
constexpr CaseName caseName;

constexpr std::size_t k3x8 = 0;
constexpr std::size_t k2x7 = 1;
constexpr std::size_t k3x7 = 2;

struct PlacesCase {
    const char* name;
    std::size_t sheet;
    std::size_t firstLabel;
    std::size_t count;
    std::size_t pages;
    // The places of some labels of the job, by their index in it.
    std::vector<std::pair<std::size_t, LabelPlace>> someLabels;
};

class LabelPlaces : public testing::TestWithParam<PlacesCase> {};

TEST_P(LabelPlaces, FillRowsLeftToRightFromTheFirstLabel)
{
    const PlacesCase& c = GetParam();
    const LabelSheet& sheet = labelSheets()[c.sheet];
    const std::vector<LabelPlace> places = labelPlaces(sheet, c.firstLabel, c.count);
    ASSERT_EQ(places.size(), c.count);
    EXPECT_EQ(labelPageCount(sheet, c.firstLabel, c.count), c.pages);
    for (const auto& [index, place] : c.someLabels) {
        ASSERT_LT(index, places.size());
        EXPECT_EQ(places[index], place) << "label " << index << " at page " << places[index].page << ", row "
                                        << places[index].row << ", column " << places[index].column;
    }
    // Every label one step further along the rows than the one before it, never two on one place.
    for (std::size_t index = 1; index < places.size(); ++index) {
        const LabelPlace& a = places[index - 1];
        const LabelPlace& b = places[index];
        const auto number = [&](const LabelPlace& p) {
            return p.page * sheet.labelsPerSheet() + p.row * sheet.columns + p.column;
        };
        EXPECT_EQ(number(b), number(a) + 1) << "label " << index;
        EXPECT_LT(b.row, sheet.rows);
        EXPECT_LT(b.column, sheet.columns);
    }
    if (!places.empty()) {
        EXPECT_EQ(places.back().page + 1, c.pages);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, LabelPlaces,
    testing::Values(
        PlacesCase{"ThirtyOneLabelsOn3x8TakeTwoPages",
                   k3x8,
                   1,
                   31,
                   2,
                   {{0, {0, 0, 0}}, {1, {0, 0, 1}}, {3, {0, 1, 0}}, {23, {0, 7, 2}}, {24, {1, 0, 0}}, {30, {1, 2, 0}}}},
        PlacesCase{"AFullSheetIsOnePage", k3x8, 1, 24, 1, {{23, {0, 7, 2}}}},
        PlacesCase{
            "FirstLabelFiveStartsOnTheSecondRow", k3x8, 5, 3, 1, {{0, {0, 1, 1}}, {1, {0, 1, 2}}, {2, {0, 2, 0}}}},
        PlacesCase{"TheLastLabelOfASheetThenANewSheet", k3x8, 24, 2, 2, {{0, {0, 7, 2}}, {1, {1, 0, 0}}}},
        PlacesCase{"ThirtyOneFromLabelTenTakeTwoPages", k3x8, 10, 31, 2, {{0, {0, 3, 0}}, {15, {1, 0, 0}}}},
        PlacesCase{
            "TwoColumnsOfSeven", k2x7, 1, 15, 2, {{1, {0, 0, 1}}, {2, {0, 1, 0}}, {13, {0, 6, 1}}, {14, {1, 0, 0}}}},
        PlacesCase{"ThreeColumnsOfSeven", k3x7, 20, 3, 2, {{0, {0, 6, 1}}, {1, {0, 6, 2}}, {2, {1, 0, 0}}}},
        PlacesCase{"NoLabelNoPage", k3x8, 1, 0, 0, {}},
        PlacesCase{"FirstLabelZeroIsTheFirst", k3x8, 0, 1, 1, {{0, {0, 0, 0}}}},
        PlacesCase{"FirstLabelBeyondTheSheetIsItsLast", k2x7, 99, 2, 2, {{0, {0, 6, 1}}, {1, {1, 0, 0}}}}),
    caseName);

struct SheetCase {
    const char* name;
    std::size_t sheet;
    std::string_view caption;
    std::size_t columns;
    std::size_t rows;
    LabelBox lastBox; // of the bottom-right label
};

class LabelSheets : public testing::TestWithParam<SheetCase> {};

TEST_P(LabelSheets, LabelsLieOnThePaperSideBySide)
{
    const SheetCase& c = GetParam();
    const LabelSheet& sheet = labelSheets()[c.sheet];
    EXPECT_EQ(sheet.name, c.caption);
    EXPECT_EQ(labelSheetNamed(c.caption), c.sheet);
    EXPECT_EQ(sheet.columns, c.columns);
    EXPECT_EQ(sheet.rows, c.rows);
    const LabelBox last = labelBox(sheet, sheet.rows - 1, sheet.columns - 1);
    EXPECT_NEAR(last.left, c.lastBox.left, 1e-9);
    EXPECT_NEAR(last.top, c.lastBox.top, 1e-9);
    EXPECT_NEAR(last.width, c.lastBox.width, 1e-9);
    EXPECT_NEAR(last.height, c.lastBox.height, 1e-9);
    for (std::size_t row = 0; row < sheet.rows; ++row) {
        for (std::size_t column = 0; column < sheet.columns; ++column) {
            const LabelBox box = labelBox(sheet, row, column);
            EXPECT_GE(box.left, 0);
            EXPECT_GE(box.top, 0);
            EXPECT_LE(box.left + box.width, sheet.paperWidth + 1e-9);
            EXPECT_LE(box.top + box.height, sheet.paperHeight + 1e-9);
            if (column > 0) { // no overlap with the label on its left
                EXPECT_GE(box.left, labelBox(sheet, row, column - 1).left + box.width - 1e-9);
            }
            if (row > 0) {
                EXPECT_GE(box.top, labelBox(sheet, row - 1, column).top + box.height - 1e-9);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, LabelSheets,
    testing::Values(
        SheetCase{"A4_3x8_70x37", k3x8, "A4, 3 × 8 étiquettes de 70 × 37 mm", 3, 8, {140, 259.5, 70, 37}},
        SheetCase{"A4_2x7_99x38", k2x7, "A4, 2 × 7 étiquettes de 99,1 × 38,1 mm", 2, 7, {106.25, 243.75, 99.1, 38.1}},
        SheetCase{"A4_3x7_70x42", k3x7, "A4, 3 × 7 étiquettes de 70 × 42,3 mm", 3, 7, {140, 254.25, 70, 42.3}}),
    caseName);

TEST(LabelSheet, TheDefaultIs3x8AndAnUnknownNameGivesIt)
{
    EXPECT_EQ(labelSheets()[kDefaultLabelSheet].name, "A4, 3 × 8 étiquettes de 70 × 37 mm");
    EXPECT_EQ(labelSheetNamed("A4, 4 × 10 étiquettes"), kDefaultLabelSheet);
    EXPECT_EQ(labelSheetNamed(""), kDefaultLabelSheet);
}

struct LinesCase {
    const char* name;
    LabelEntry entry;
    LabelLines lines;
};

class LabelText : public testing::TestWithParam<LinesCase> {};

TEST_P(LabelText, CallsignNameAddressPostcodeAndCity)
{
    EXPECT_EQ(labelLines(GetParam().entry), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, LabelText,
    testing::Values(LinesCase{"FirstNameBeforeSurname",
                              {"F1ABC", "DUPONT", "Jean", "12 rue Haute", "PARIS", "75002", false},
                              {"F1ABC", "Jean DUPONT", "12 rue Haute", "75002 PARIS"}},
                    LinesCase{"FourDigitPostcodeGetsItsZero",
                              {"F8BRG", "BOURG", "Marc", "2 place D", "BOURG EN BRESSE", "1000", false},
                              {"F8BRG", "Marc BOURG", "2 place D", "01000 BOURG EN BRESSE"}},
                    LinesCase{"RestoredPostcodeStaysAsItIs",
                              {"F8BRG", "BOURG", "Marc", "2 place D", "BOURG EN BRESSE", "01000", false},
                              {"F8BRG", "Marc BOURG", "2 place D", "01000 BOURG EN BRESSE"}},
                    LinesCase{"SpacesAroundFieldsAreTrimmed",
                              {" F5QQ ", " LE GRAND ", "  Jean-Paul ", " 1 rue ", " SAINT-L\xD4 ", " 50000 ", false},
                              {"F5QQ", "Jean-Paul LE GRAND", "1 rue", "50000 SAINT-L\xD4"}},
                    LinesCase{"NoFirstNameNoLeadingSpace",
                              {"F2AA", "DURAND", "", "5 rue C", "NICE", "06000", false},
                              {"F2AA", "DURAND", "5 rue C", "06000 NICE"}},
                    LinesCase{"NoCityNoTrailingSpace",
                              {"F2AA", "DURAND", "Luc", "", "", "06000", false},
                              {"F2AA", "Luc DURAND", "", "06000"}},
                    LinesCase{"PostcodeWithASemicolonKeptAsTheListShowsIt",
                              {"F5QQ", "X", "Y", "1 rue", "LILLE", "59000;A", false},
                              {"F5QQ", "Y X", "1 rue", "59000;A LILLE"}}),
    caseName);

struct OrangeCase {
    const char* name;
    std::string_view surname;
    bool orange;
};

class OrangeListSurname : public testing::TestWithParam<OrangeCase> {};

TEST_P(OrangeListSurname, EitherMarkLeavesTheEntryOut)
{
    EXPECT_EQ(isOrangeListSurname(GetParam().surname), GetParam().orange);
}

INSTANTIATE_TEST_SUITE_P(Surnames, OrangeListSurname,
                         testing::Values(OrangeCase{"MarkedCallsign", "EN LISTE ORANGE", true},
                                         OrangeCase{"StoredSurname", "LISTE ORANGE", true},
                                         OrangeCase{"OrdinarySurname", "ORANGE", false},
                                         OrangeCase{"SmallLetters", "liste orange", false},
                                         OrangeCase{"AnotherText", "LISTE ORANGES", false}),
                         caseName);

struct RunCase {
    const char* name;
    std::vector<LabelEntry> entries;
    std::vector<std::string> callsigns; // of the labels, in order
    std::size_t orangeLeftOut;
    std::string nothingMessage;
    std::string printedMessage;
};

class LabelRuns : public testing::TestWithParam<RunCase> {};

TEST_P(LabelRuns, OrangeListEntriesGetNoLabel)
{
    const RunCase& c = GetParam();
    const LabelRun run = labelRunOf(c.entries);
    std::vector<std::string> callsigns;
    for (const LabelLines& lines : run.labels)
        callsigns.push_back(lines[0]);
    EXPECT_EQ(callsigns, c.callsigns);
    EXPECT_EQ(run.orangeListLeftOut, c.orangeLeftOut);
    EXPECT_EQ(nothingToLabelMessage(run), c.nothingMessage);
    if (c.nothingMessage.empty()) {
        EXPECT_EQ(labelsPrintedMessage(run), c.printedMessage);
    }
}

LabelEntry plain(const char* callsign)
{
    return {callsign, "DUPONT", "Jean", "1 rue", "PARIS", "75001", false};
}

LabelEntry orange(const char* callsign)
{
    return {callsign, "EN LISTE ORANGE", "", "", "", "", true};
}

INSTANTIATE_TEST_SUITE_P(
    Lists, LabelRuns,
    testing::Values(RunCase{"EmptyList", {}, {}, 0, "La liste est vide : aucune étiquette n'a été imprimée.", ""},
                    RunCase{"OnlyOrangeList",
                            {orange("F2AA"), orange("F3BB")},
                            {},
                            2,
                            "Aucune étiquette n'a été imprimée : les entrées de la liste sont toutes en liste orange, "
                            "leur adresse n'est pas publiée.",
                            ""},
                    RunCase{"OrangeListAmongOthersInListOrder",
                            {plain("F1ABC"), orange("F2AA"), plain("F4XYZ"), orange("F5QQ"), plain("F6ZZZ")},
                            {"F1ABC", "F4XYZ", "F6ZZZ"},
                            2,
                            "",
                            "3 étiquette(s) imprimée(s).\r\n2 entrée(s) en liste orange laissée(s) de côté : "
                            "leur adresse n'est pas publiée."},
                    RunCase{"NoOrangeList",
                            {plain("F1ABC")},
                            {"F1ABC"},
                            0,
                            "",
                            "1 étiquette(s) imprimée(s).\r\n0 entrée(s) en liste orange laissée(s) de côté : "
                            "leur adresse n'est pas publiée."}),
    caseName);

} // namespace
} // namespace dravelin
