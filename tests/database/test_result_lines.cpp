#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "database/result_lines.h"

namespace dravelin {
namespace {

std::vector<std::string> sorted(const std::vector<std::string>& lines)
{
    ResultLines list;
    for (const std::string& line : lines)
        list.add(line);
    list.sortForDisplay();
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.size(); ++i)
        out.emplace_back(list[i]);
    return out;
}

TEST(ResultLines, SortAscendingIgnoringCaseWithTheSpaceFirst)
{
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"F1B", "f1a", "F1C"}, {"f1a", "F1B", "F1C"}},
        // The space of the padded callsign column sorts before digits and letters.
        {{"F1ABCD      X", "F1ABC       Z"}, {"F1ABC       Z", "F1ABCD      X"}},
        {{"F1ABC1", "F1ABC "}, {"F1ABC ", "F1ABC1"}},
        // Accented small letters fold to their capitals: é and É are the same letter.
        {{"\xC9Z", "\xE9" "A"}, {"\xE9" "A", "\xC9Z"}},
        {{"\x9C" "B", "\x8C" "A"}, {"\x8C" "A", "\x9C" "B"}},
        // Lines equal but for case always come out in the same order.
        {{"abc", "ABC", "Abc"}, {"ABC", "Abc", "abc"}},
        {{"ab", "a"}, {"a", "ab"}},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(sorted(input), expected);
}

// The radix sort must give exactly the order of the plain comparison, including among lines
// that share their first eight folded bytes and in groups large enough to be split by radix.
TEST(ResultLines, SortsManyLinesInTheOrderOfThePlainComparison)
{
    const std::vector<std::string> heads = {"F4ABC", "f4abc", "F4AB", "F4ABCDEFGHIJ", "F4ABCDEF", "F4ABCDEf",
                                            "\xC9T\xC9", "\xE9t\xE9", "F", "", std::string("F4\0", 3), "F4 ",
                                            "TK5AA", "FG5ZZ"};
    const std::vector<std::string> tails = {"", " ", "A", "a", "DUPONT", "dupont", "\xFF", std::string(1, '\0'), "Z"};
    std::vector<std::string> lines;
    std::uint32_t state = 12345;
    for (int i = 0; i < 6000; ++i) {
        state = state * 1664525u + 1013904223u;
        std::string line = heads[(state >> 8) % heads.size()];
        line += std::string((state >> 4) % 9, ' ');
        line += tails[(state >> 16) % tails.size()];
        line += tails[(state >> 20) % tails.size()];
        lines.push_back(line);
    }
    std::vector<std::string> expected = lines;
    std::sort(expected.begin(), expected.end(), lessIgnoringCase);
    EXPECT_EQ(sorted(lines), expected);
}

// Bytes attached to a line stay with it through the sort, whatever their length or the line's.
TEST(ResultLines, AttachmentsFollowTheirLines)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C", "three"},
        {"A", ""},
        {"B" + std::string(std::size_t{1} << 24, 'x'), "after a long line"},
        {"D", std::string(300, '\x80')},
        {"E", std::string(1, '\0')},
    };
    ResultLines list;
    for (const auto& [line, attachment] : cases)
        list.addWith([&](std::string& out) { out += line; }, [&](std::string& out) { out += attachment; });
    list.add("0 without attachment");
    list.sortForDisplay();
    ASSERT_EQ(list.size(), cases.size() + 1);
    EXPECT_EQ(list.attachmentOf(0), "");
    EXPECT_EQ(list[0], "0 without attachment");
    const std::size_t order[] = {1, 2, 0, 3, 4};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(list[i + 1], cases[order[i]].first);
        EXPECT_EQ(list.attachmentOf(i + 1), cases[order[i]].second);
    }
}

TEST(ResultLines, KeepsEveryByteOfEachLine)
{
    const std::string withNul("A\0B\xFF", 4);
    EXPECT_EQ(sorted({withNul, ""}), (std::vector<std::string>{"", withNul}));
    // Lines too long for the packed length keep theirs beside them.
    const std::string huge = "B" + std::string(std::size_t{1} << 24, 'x') + "end";
    const std::string justBelow = "C" + std::string((std::size_t{1} << 24) - 3, 'y');
    EXPECT_EQ(sorted({huge, "A", justBelow, "D"}), (std::vector<std::string>{"A", huge, justBelow, "D"}));
}

} // namespace
} // namespace dravelin
