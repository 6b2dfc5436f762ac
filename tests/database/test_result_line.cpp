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
        {"empty first name", "F1ABC;DUPONT;;A;V;75001", Criterion::City,
         pad("F1ABC", 12) + pad("DUPONT ", 40) + "A  75001 V"},
        {"4-character postcode gets its zero back", "F1ABC;D;J;A;BOURG;1000", Criterion::Department,
         pad("F1ABC", 12) + pad("D J", 40) + "A  01000 BOURG"},
        {"other postcodes as stored", "F1ABC;D;J;A;V;750", Criterion::City,
         pad("F1ABC", 12) + pad("D J", 40) + "A  750 V"},
        {"postcode with a trailing separator", "F1ABC;D;J;A;V;75001;", Criterion::City,
         pad("F1ABC", 12) + pad("D J", 40) + "A  75001; V"},
        {"LISTE ORANGE by callsign", "F2AA;LISTE ORANGE;;;NICE;06000", Criterion::Callsign,
         pad("F2AA", 12) + "EN LISTE ORANGE"},
        {"LISTE ORANGE by city", "F2AA;LISTE ORANGE;;;NICE;06000", Criterion::City,
         pad("F2AA", 12) + "EN LISTE ORANGE"},
        {"LISTE ORANGE by department", "F2AA;LISTE ORANGE;;;NICE;06000", Criterion::Department,
         pad("F2AA", 12) + "EN LISTE ORANGE"},
        {"LISTE ORANGE by surname is shown in full", "F2AA;LISTE ORANGE;;;NICE;06000", Criterion::Surname,
         pad("F2AA", 12) + pad("LISTE ORANGE ", 40) + "  06000 NICE"},
        {"<LISTE ORANGE by surname", "F2AA;<LISTE ORANGE;;;NICE;06000", Criterion::Surname,
         pad("F2AA", 12) + "EN LISTE ORANGE"},
        {"marker entry shows its first name", "F5XY CET INDICATIF EST ATTRIBUE MAIS;X;Paul;;LYON;69001",
         Criterion::City, pad("F5XY ", 12) + pad("EN LISTE ORANGE Paul", 40) + "  69001 LYON"},
    };
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(resultLineOf(c.record, c.criterion), c.expected);
        EXPECT_EQ(resultLineLength(*splitRecordLine(c.record), c.criterion), c.expected.size());
    }
}

struct FieldsCase {
    const char* name;
    std::string record;
    Criterion criterion;
    std::array<std::string, 6> fields; // callsign, surname, first name, address, postcode, city
    bool orangeList = false;
};

// A result line pads and cuts its fields; a listed entry gives them whole, as the line shows them.
TEST(ResultLine, ListedEntriesHoldTheSixFieldsAsShown)
{
    const std::string longSurname = "DE LA FONTAINE-MONTMORENCY-SAINT-AUBIN-DU-CORMIER";
    const FieldsCase cases[] = {
        {"normal",
         "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75001",
         Criterion::City,
         {"F1ABC", "DUPONT", "Jean", "12 rue Haute", "75001", "PARIS"}},
        {"first name cut by the name column",
         "F1ABC;DE LA FONTAINE-MONTMORENCY;Jean-Baptiste Xavier;A;V;75001",
         Criterion::City,
         {"F1ABC", "DE LA FONTAINE-MONTMORENCY", "Jean-Baptiste Xavier", "A", "75001", "V"}},
        {"surname longer than the name column",
         "F1ABC;" + longSurname + ";Luc;A;V;75001",
         Criterion::Surname,
         {"F1ABC", longSurname, "Luc", "A", "75001", "V"}},
        {"cut just after the surname",
         "F1ABC;" + std::string(39, 'S') + ";Luc;A;V;75001",
         Criterion::City,
         {"F1ABC", std::string(39, 'S'), "Luc", "A", "75001", "V"}},
        {"postcode that lost its zero",
         "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000",
         Criterion::Department,
         {"F8BRG", "BOURG", "Marc", "2 place D", "01000", "BOURG EN BRESSE"}},
        {"spaces around fields and inside them",
         "  F4SP  ; ESPACE ; Anne  Marie ;3  rue B; LYON ;69001",
         Criterion::City,
         {"F4SP", "ESPACE", "Anne  Marie", "3  rue B", "69001", "LYON"}},
        {"empty fields", "F1X;D;;;V;", Criterion::City, {"F1X", "D", "", "", "", "V"}},
        {"postcode holding separators",
         "F1ABC;D;J;A;V;75;001",
         Criterion::City,
         {"F1ABC", "D", "J", "A", "75;001", "V"}},
        {"accented letters",
         "F4XYZ;L\xC9VY;H\xE9l\xE8ne;3 all\xE9"
         "e des Pr\xE9s;\xC9VREUX;27000",
         Criterion::City,
         {"F4XYZ", "L\xC9VY", "H\xE9l\xE8ne",
          "3 all\xE9"
          "e des Pr\xE9s",
          "27000", "\xC9VREUX"}},
        {"orange-list line",
         "F2AA;LISTE ORANGE;;;NICE;06000",
         Criterion::City,
         {"F2AA", "EN LISTE ORANGE", "", "", "", ""},
         true},
        {"LISTE ORANGE by surname is an entry like the others",
         "F2AA;LISTE ORANGE;;;NICE;06000",
         Criterion::Surname,
         {"F2AA", "LISTE ORANGE", "", "", "06000", "NICE"}},
        {"marked entry",
         "F5XY CET INDICATIF EST ATTRIBUE MAIS;X;Paul;;LYON;69001",
         Criterion::City,
         {"F5XY", "EN LISTE ORANGE", "Paul", "", "69001", "LYON"},
         true},
    };
    for (const FieldsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto record = splitRecordLine(c.record);
        ASSERT_TRUE(record);
        const ListedEntry entry = listedEntryOf(*record, c.criterion);
        const std::array<std::string, 6> fields = {entry.callsign, entry.surname,  entry.firstName,
                                                   entry.address,  entry.postcode, entry.city};
        EXPECT_EQ(fields, c.fields);
        EXPECT_EQ(entry.orangeList, c.orangeList);
    }
}

TEST(ResultLine, DepartmentIsTheFirstTwoCharactersOfTheRestoredPostcode)
{
    const std::pair<std::string, std::string> cases[] = {
        {"75001", "75"}, {"1000", "01"}, {"9100", "09"},   {"2A004", "2A"},
        {"7", "7"},      {"", ""},       {"75001;", "75"}, {" 750", "0 "},
    };
    for (const auto& [postcode, department] : cases) {
        SCOPED_TRACE(postcode);
        std::array<char, 2> storage{};
        EXPECT_EQ(departmentOf(postcode, storage), department);
    }
}

} // namespace
} // namespace dravelin
