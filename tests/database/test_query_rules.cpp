#include <gtest/gtest.h>

#include <optional>
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
        {Criterion::Department,
         "\xC9"
         "1",
         ""},
        // The "*" of a prefix query counts as a character.
        {Criterion::Callsign, std::string(11, 'F') + "*", ""},
        {Criterion::Callsign, std::string(12, 'F') + "*", "Attention 12 caracteres maxi pour l'indicatif"},
        {Criterion::Callsign, "*", ""},
        {Criterion::Surname, std::string(32, 'D') + "*", "Attention 32 caracteres maxi pour le nom"},
        {Criterion::City, std::string(29, 'P') + "*", ""},
        {Criterion::Department, "9*", ""},
        {Criterion::Department, "*", "Attention 2 caracteres pour le département"},
        {Criterion::Department, "97*", "Attention 2 caracteres pour le département"},
        // Corsica by its two departments, in capitals or small letters, and the overseas
        // departments by three digits beginning 97 or 98.
        {Criterion::Department, "2A", ""},
        {Criterion::Department, "2b", ""},
        {Criterion::Department, "20", ""},
        {Criterion::Department, "97", ""},
        {Criterion::Department, "971", ""},
        {Criterion::Department, "976", ""},
        {Criterion::Department, "988", ""},
        {Criterion::Department, "970", ""},
        {Criterion::Department, "969", "Attention 2 caracteres pour le département"},
        {Criterion::Department, "990", "Attention 2 caracteres pour le département"},
        {Criterion::Department, "97A", "Attention 2 caracteres pour le département"},
        {Criterion::Department, "2A0", "Attention 2 caracteres pour le département"},
        {Criterion::Department, "9710", "Attention 2 caracteres pour le département"},
        {Criterion::Department, " 97", "Attention 2 caracteres pour le département"},
        {Criterion::Department, "971*", "Attention 2 caracteres pour le département"},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.query);
        EXPECT_EQ(queryRejection(c.criterion, c.query), c.message);
    }
}

struct BytesCase {
    std::u32string query;
    std::optional<std::string> bytes;
    std::string refusal; // empty when the query has its bytes
};

TEST(QueryRules, AQueryHoldingACharacterTheFileCannotHoldIsRefusedNotSubstituted)
{
    const BytesCase cases[] = {
        {U"PARIS", "PARIS", ""},
        {U"\u00C9VREUX \u20AC\u0152", "\xC9VREUX \x80\x8C", ""},
        {U"", "", ""},
        {U"\u0142", std::nullopt,
         "La requête « \xC5\x82 » contient un caractère que l'annuaire ne peut pas contenir (U+0142) : le fichier "
         "est en Windows-1252."},
        {U"PARIS \u4E2D", std::nullopt,
         "La requête « PARIS \xE4\xB8\xAD » contient un caractère que l'annuaire ne peut pas contenir (U+4E2D) : le "
         "fichier est en Windows-1252."},
        // The substitution byte itself, typed as its control character, is a character like another.
        {U"\u001A", "\x1A", ""},
        {U"7\U0001F600", std::nullopt,
         "La requête « 7\xF0\x9F\x98\x80 » contient un caractère que l'annuaire ne peut pas contenir (U+1F600) : le "
         "fichier est en Windows-1252."},
    };
    for (const BytesCase& c : cases) {
        SCOPED_TRACE(c.refusal);
        std::string refusal;
        EXPECT_EQ(queryBytes(c.query, refusal), c.bytes);
        EXPECT_EQ(refusal, c.refusal);
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
        {"stra\xDF"
         "e \xB5",
         "STRA\xDF"
         "E \xB5",
         false},
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
