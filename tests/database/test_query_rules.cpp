#include <gtest/gtest.h>

#include <string>

#include "database/query_rules.h"

namespace dravelin {
namespace {

struct RuleCase {
    Criterion criterion;
    std::string query;
    std::string message; // empty: the query is searched
};

TEST(QueryRules, LengthThenEmptinessPerCriterion)
{
    const RuleCase cases[] = {
        {Criterion::Callsign, std::string(12, 'F'), ""},
        {Criterion::Callsign, std::string(13, 'F'), "Attention 12 caracteres maxi pour l'indicatif"},
        {Criterion::Callsign, "", "Entrez un indicatif"},
        {Criterion::Callsign, " ", ""},
        {Criterion::Surname, std::string(32, 'D'), ""},
        {Criterion::Surname, std::string(33, 'D'), "Attention 32 caracteres maxi pour le nom"},
        {Criterion::Surname, "", "Entrez un nom"},
        {Criterion::City, std::string(30, 'P'), ""},
        {Criterion::City, std::string(31, 'P'), "Attention 30 caracteres maxi pour la ville"},
        {Criterion::City, "", "Entrez une ville"},
        {Criterion::City, " ", ""},
        {Criterion::Department, "75", ""},
        {Criterion::Department, "  ", ""},
        {Criterion::Department, "7", "Attention 2 caracteres pour le département"},
        {Criterion::Department, "750", "Attention 2 caracteres pour le département"},
        {Criterion::Department, "", "Attention 2 caracteres pour le département"},
        // An accented letter is one Windows-1252 character.
        {Criterion::Department, "\xC9" "1", ""},
        // The "*" of a prefix query counts as a character.
        {Criterion::Callsign, std::string(11, 'F') + "*", ""},
        {Criterion::Callsign, std::string(12, 'F') + "*", "Attention 12 caracteres maxi pour l'indicatif"},
        {Criterion::Callsign, "*", ""},
        {Criterion::Surname, std::string(32, 'D') + "*", "Attention 32 caracteres maxi pour le nom"},
        {Criterion::City, std::string(29, 'P') + "*", ""},
        {Criterion::Department, "9*", ""},
        {Criterion::Department, "*", "Attention 2 caracteres pour le département"},
        {Criterion::Department, "97*", "Attention 2 caracteres pour le département"},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.query);
        EXPECT_EQ(queryRejection(c.criterion, c.query), c.message);
    }
}

struct PatternCase {
    std::string query;
    std::string text;
    bool prefix;
};

TEST(QueryRules, AQueryEndingInAStarAsksForAPrefixAndEveryQueryIsFolded)
{
    const PatternCase cases[] = {
        {"PARIS", "PARIS", false},
        {"paris", "PARIS", false},
        {"\xE9pinal", "\xC9PINAL", false},
        {"EPINAL", "EPINAL", false},
        {"F6A*", "F6A", true},
        {"dupon*", "DUPON", true},
        {"9*", "9", true},
        {"*", "", true},
        {"**", "*", true},
        {"F*6", "F*6", false},
        {"*F", "*F", false},
        {"SAINT *", "SAINT ", true},
        {"stra\xDF" "e \xB5", "STRA\xDF" "E \xB5", false},
        {"\x9A\x9C\x9E\xFF\xF7", "\x8A\x8C\x8E\x9F\xF7", false},
        {"", "", false},
    };
    for (const PatternCase& c : cases) {
        SCOPED_TRACE(c.query);
        const QueryPattern pattern = patternOf(c.query);
        EXPECT_EQ(pattern.text, c.text);
        EXPECT_EQ(pattern.prefix, c.prefix);
    }
}

} // namespace
} // namespace dravelin
