#include <gtest/gtest.h>

#include <string>

#include "database/result_line.h"

namespace dravelin {
namespace {

std::string resultLineOf(const std::string& recordLine, Criterion criterion)
{
    const auto record = splitRecordLine(recordLine);
    EXPECT_TRUE(record);
    std::string out;
    appendResultLine(out, *record, criterion);
    return out;
}

std::string pad(const std::string& text, std::size_t width)
{
    return text + std::string(width - text.size(), ' ');
}

struct ResultCase {
    const char* name;
    std::string record;
    Criterion criterion;
    std::string expected;
};

TEST(ResultLine, ColumnsAndOrangeListShapes)
{
    const std::string name40 = "DE LA FONTAINE-MONTMORENCY Jean-Baptiste"; // exactly 40 with the space
    const ResultCase cases[] = {
        {"normal", "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75001", Criterion::City,
         pad("F1ABC", 12) + pad("DUPONT Jean", 40) + "12 rue Haute  75001 PARIS"},
        {"12-character callsign touches the name", "F1ABCDEFGHIJ;DUPONT;Jean;A;V;75001", Criterion::Callsign,
         "F1ABCDEFGHIJDUPONT Jean" + std::string(29, ' ') + "A  75001 V"},
        {"name cut at 40", "F1ABC;DE LA FONTAINE-MONTMORENCY;Jean-Baptiste Xavier;A;V;75001", Criterion::City,
         pad("F1ABC", 12) + name40 + "A  75001 V"},
        {"empty first name", "F1ABC;DUPONT;;A;V;75001", Criterion::City, pad("F1ABC", 12) + pad("DUPONT ", 40) + "A  75001 V"},
        {"4-character postcode gets its zero back", "F1ABC;D;J;A;BOURG;1000", Criterion::Department,
         pad("F1ABC", 12) + pad("D J", 40) + "A  01000 BOURG"},
        {"other postcodes as stored", "F1ABC;D;J;A;V;750", Criterion::City, pad("F1ABC", 12) + pad("D J", 40) + "A  750 V"},
        {"postcode with a trailing separator", "F1ABC;D;J;A;V;75001;", Criterion::City,
         pad("F1ABC", 12) + pad("D J", 40) + "A  75001; V"},
        {"LISTE ORANGE by callsign", "F2AA;LISTE ORANGE;;;NICE;06000", Criterion::Callsign, pad("F2AA", 12) + "EN LISTE ORANGE"},
        {"LISTE ORANGE by city", "F2AA;LISTE ORANGE;;;NICE;06000", Criterion::City, pad("F2AA", 12) + "EN LISTE ORANGE"},
        {"LISTE ORANGE by department", "F2AA;LISTE ORANGE;;;NICE;06000", Criterion::Department,
         pad("F2AA", 12) + "EN LISTE ORANGE"},
        {"LISTE ORANGE by surname is shown in full", "F2AA;LISTE ORANGE;;;NICE;06000", Criterion::Surname,
         pad("F2AA", 12) + pad("LISTE ORANGE ", 40) + "  06000 NICE"},
        {"<LISTE ORANGE by surname", "F2AA;<LISTE ORANGE;;;NICE;06000", Criterion::Surname, pad("F2AA", 12) + "EN LISTE ORANGE"},
        {"marker entry shows its first name", "F5XY CET INDICATIF EST ATTRIBUE MAIS;X;Paul;;LYON;69001", Criterion::City,
         pad("F5XY ", 12) + pad("EN LISTE ORANGE Paul", 40) + "  69001 LYON"},
    };
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(resultLineOf(c.record, c.criterion), c.expected);
    }
}

TEST(ResultLine, DepartmentIsTheFirstTwoCharactersOfTheRestoredPostcode)
{
    const std::pair<std::string, std::string> cases[] = {
        {"75001", "75"}, {"1000", "01"}, {"9100", "09"}, {"2A004", "2A"}, {"7", "7"}, {"", ""}, {"75001;", "75"}, {" 750", "0 "},
    };
    for (const auto& [postcode, department] : cases) {
        SCOPED_TRACE(postcode);
        std::array<char, 2> storage{};
        EXPECT_EQ(departmentOf(postcode, storage), department);
    }
}

} // namespace
} // namespace dravelin
