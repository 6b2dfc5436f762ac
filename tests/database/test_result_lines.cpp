#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "database/result_rows.h"

namespace dravelin {
namespace {

// The record lines in the order the list shows their rows.
std::vector<std::string> sorted(const std::vector<std::string>& recordLines, Criterion criterion = Criterion::City)
{
    ResultRows rows;
    rows.setCriterion(criterion);
    for (const std::string& line : recordLines)
        EXPECT_TRUE(rows.add(line)) << line;
    rows.sortForDisplay();
    std::vector<std::string> out;
    for (std::size_t i = 0; i < rows.size(); ++i)
        out.emplace_back(rows.recordLine(i));
    return out;
}

TEST(ResultRows, SortAscendingIgnoringCaseWithTheSpaceFirst)
{
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"F1B;D;J;A;V;75001", "f1a;D;J;A;V;75001", "F1C;D;J;A;V;75001"},
         {"f1a;D;J;A;V;75001", "F1B;D;J;A;V;75001", "F1C;D;J;A;V;75001"}},
        // The space of the padded callsign column sorts before digits and letters.
        {{"F1ABCD;X;;;V;1", "F1ABC;Z;;;V;1"}, {"F1ABC;Z;;;V;1", "F1ABCD;X;;;V;1"}},
        {{"F1ABC1;A;;;V;1", "F1ABC;Z;;;V;1"}, {"F1ABC;Z;;;V;1", "F1ABC1;A;;;V;1"}},
        // Accented small letters fold to their capitals: é and É are the same letter.
        {{"\xC9Z;D;;;V;1", "\xE9"
                           "A;D;;;V;1"},
         {"\xE9"
          "A;D;;;V;1",
          "\xC9Z;D;;;V;1"}},
        {{"\x9C"
          "B;D;;;V;1",
          "\x8C"
          "A;D;;;V;1"},
         {"\x8C"
          "A;D;;;V;1",
          "\x9C"
          "B;D;;;V;1"}},
        // Lines equal but for case always come out in the same order.
        {{"abc;D;;;V;1", "ABC;D;;;V;1", "Abc;D;;;V;1"}, {"ABC;D;;;V;1", "Abc;D;;;V;1", "abc;D;;;V;1"}},
        // One callsign: the name column decides, as the lines show it.
        {{"F1A;MARTIN;Paul;;V;1", "F1A;martin;Anne;;V;1"}, {"F1A;martin;Anne;;V;1", "F1A;MARTIN;Paul;;V;1"}},
        {{"F2AA;LISTE ORANGE;;;V;1", "F2AA;DUPONT;;;V;1"}, {"F2AA;DUPONT;;;V;1", "F2AA;LISTE ORANGE;;;V;1"}},
        // A 12-character callsign touches the name column.
        {{"F1ABCDEFGHIJ;A;;;V;1", "F1ABCDEFGHI;Z;;;V;1"}, {"F1ABCDEFGHI;Z;;;V;1", "F1ABCDEFGHIJ;A;;;V;1"}},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(sorted(input), expected);
}

// The radix sort over the callsign column must give exactly the order of the plain comparison
// of the shown lines, including among rows that share their first eight folded bytes and in
// groups large enough to be split by radix.
TEST(ResultRows, SortsManyRowsInTheOrderOfThePlainComparisonOfTheirLines)
{
    const std::vector<std::string> heads = {
        "F4ABC",     "f4abc", "F4AB", "F4ABCDEFGHIJ",         "F4ABCDEF", "F4ABCDEf", "\xC9T\xC9",
        "\xE9t\xE9", "F",     "",     std::string("F4\0", 3), "F4 ",      "TK5AA",    "FG5ZZ"};
    const std::vector<std::string> tails = {
        "", " ", "A", "a", "DUPONT", "dupont", "\xFF", std::string(1, '\0'), "Z", "LISTE ORANGE"};
    for (const Criterion criterion : {Criterion::City, Criterion::Surname}) {
        ResultRows rows;
        rows.setCriterion(criterion);
        std::uint32_t state = 12345;
        for (int i = 0; i < 6000; ++i) {
            state = state * 1664525u + 1013904223u;
            std::string callsign = heads[(state >> 8) % heads.size()];
            callsign += std::string(std::min<std::size_t>((state >> 4) % 9, 12 - callsign.size()), ' ');
            const std::string line = callsign + ";" + tails[(state >> 16) % tails.size()] + ";" +
                                     tails[(state >> 20) % tails.size()] + ";A;V;" +
                                     tails[(state >> 24) % tails.size()];
            ASSERT_TRUE(rows.add(line));
        }
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < rows.size(); ++i)
            expected.push_back(rows.displayLine(i));
        std::sort(expected.begin(), expected.end(), lessIgnoringCase);
        rows.sortForDisplay();
        std::vector<std::string> shown;
        for (std::size_t i = 0; i < rows.size(); ++i)
            shown.push_back(rows.displayLine(i));
        EXPECT_EQ(shown, expected);
    }
}

// A row is its record line as read: the sort moves it whole, whatever its length or bytes, and
// its fields come back from it.
TEST(ResultRows, RowsKeepTheirEntriesThroughTheSort)
{
    const std::string longAddress(std::size_t{1} << 24, 'x');
    const std::vector<std::string> lines = {
        "C;THREE;Jean;3 rue C;VILLE;75003",
        "A;ONE;;;V;75001",
        "B;TWO;Luc;" + longAddress + ";V;75002",
        "D;" + std::string(300, '\x80') + ";Anne;4 rue D;V;1000",
        std::string("E;FIVE;") + '\0' + ";5 rue E;V;75005",
    };
    ResultRows rows;
    for (const std::string& line : lines)
        ASSERT_TRUE(rows.add(line));
    rows.sortForDisplay();
    const std::size_t order[] = {1, 2, 0, 3, 4};
    ASSERT_EQ(rows.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows.recordLine(i), lines[order[i]]);
        EXPECT_EQ(rows.entryAt(i).callsign, lines[order[i]].substr(0, 1));
    }
    EXPECT_EQ(rows.entryAt(1).address, longAddress);
    EXPECT_EQ(rows.entryAt(3).surname, std::string(300, '\x80'));
    EXPECT_EQ(rows.entryAt(3).postcode, "01000");
    EXPECT_EQ(rows.longestDisplayLine(), rows.displayLine(1).size());
}

TEST(ResultRows, KeepsEveryByteOfEachLine)
{
    const std::string withNul("A\0B\xFF;D;;;V;1", 12);
    EXPECT_EQ(sorted({withNul, ";D;;;V;1"}), (std::vector<std::string>{";D;;;V;1", withNul}));
    // Lines too long for the packed length keep theirs beside them; one byte shorter still fits.
    const std::string huge = "B;D;;" + std::string(std::size_t{1} << 24, 'x') + ";V;end";
    const std::string longest = "C;D;;" + std::string((std::size_t{1} << 24) - 1 - 9, 'y') + ";V;1";
    const std::string justBelow = "D;D;;" + std::string((std::size_t{1} << 24) - 2 - 9, 'z') + ";V;1";
    ASSERT_EQ(longest.size(), (std::size_t{1} << 24) - 1);
    ASSERT_EQ(justBelow.size(), (std::size_t{1} << 24) - 2);
    EXPECT_EQ(sorted({huge, "A;D;;;V;1", justBelow, longest, "E;D;;;V;1"}),
              (std::vector<std::string>{"A;D;;;V;1", huge, longest, justBelow, "E;D;;;V;1"}));
}

TEST(ResultRows, TakesOnlyLinesThatCanBeShown)
{
    const std::pair<std::string, bool> cases[] = {
        {"F1ABC;D;J;A;V;75001", true},
        {"F1ABCDEFGHIJ;D;J;A;V;75001", true},
        {"F8TOOLONGCALL;D;J;A;V;75001", false},
        {"F0AA;A;B;C;PARIS", false},
        {"", false},
    };
    for (const auto& [line, taken] : cases) {
        SCOPED_TRACE(line);
        ResultRows rows;
        EXPECT_EQ(rows.add(line), taken);
        EXPECT_EQ(rows.size(), taken ? 1u : 0u);
    }
}

} // namespace
} // namespace dravelin
