#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/record.h"

namespace dravelin {
namespace {

struct SplitCase {
    std::string line;
    std::vector<std::string> fields; // callsign, surname, first name, address, city, postcode
    bool orange;
};

TEST(SplitRecordLine, CutsAtTheFirstFiveSeparatorsAndAppliesTheOrangeListMarker)
{
    const std::vector<SplitCase> cases = {
        {"F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75001",
         {"F1ABC", "DUPONT", "Jean", "12 rue Haute", "PARIS", "75001"},
         false},
        {";;;;;", {"", "", "", "", "", ""}, false},
        {"F1ABC;A;B;C;D;75001;", {"F1ABC", "A", "B", "C", "D", "75001;"}, false},
        {"F1ABC;A;B;C;D;75;0;1", {"F1ABC", "A", "B", "C", "D", "75;0;1"}, false},
        {"F5XY CET INDICATIF EST ATTRIBUE MAIS;N'EST PAS PUBLIABLE;;;LYON;69001",
         {"F5XY ", "EN LISTE ORANGE", "", "", "LYON", "69001"},
         true},
        {"F5XYCET INDICATIF EST ATTRIBUE MAIS;X;P;A;LYON;69001",
         {"F5XY", "EN LISTE ORANGE", "P", "A", "LYON", "69001"},
         true},
        {"F5XYCET INDICATIF EST ATTRIBUE MAISCET INDICATIF EST ATTRIBUE MAIS;X;P;A;V;1",
         {"F5XY", "EN LISTE ORANGE", "P", "A", "V", "1"},
         true},
        {"F5XY cet indicatif est attribue mais;X;P;A;V;1",
         {"F5XY cet indicatif est attribue mais", "X", "P", "A", "V", "1"},
         false},
        {"F2AA; LISTE ORANGE;;;NICE;06000", {"F2AA", " LISTE ORANGE", "", "", "NICE", "06000"}, false},
        {std::string("F\xE9\x81;\0;;;;", 9), {"F\xE9\x81", std::string("\0", 1), "", "", "", ""}, false},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.line);
        const auto record = splitRecordLine(c.line);
        ASSERT_TRUE(record);
        const std::vector<std::string> fields = {std::string(record->callsign),  std::string(record->surname),
                                                 std::string(record->firstName), std::string(record->address),
                                                 std::string(record->city),      std::string(record->postcode)};
        EXPECT_EQ(fields, c.fields);
        EXPECT_EQ(record->orangeListMarked, c.orange);
    }
}

TEST(SplitRecordLine, LinesWithFewerThanFiveSeparatorsCannotBeCut)
{
    for (const char* line : {"", "F1ABC", "F1ABC;A;B;C;D", ";;;;", "Base Rev 255  du 11/08/2009"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(splitRecordLine(line));
    }
}

TEST(FirstField, IsTheTextBeforeTheFirstSeparatorUnchanged)
{
    EXPECT_EQ(firstField("F1ABC;A;B;C;D;E"), "F1ABC");
    EXPECT_EQ(firstField(" F1ABC ;x"), " F1ABC ");
    EXPECT_EQ(firstField(";x"), "");
    EXPECT_EQ(firstField("F5XY CET INDICATIF EST ATTRIBUE MAIS;X"), "F5XY CET INDICATIF EST ATTRIBUE MAIS");
    EXPECT_FALSE(firstField("no separator"));
    EXPECT_FALSE(firstField(""));
}

} // namespace
} // namespace dravelin
