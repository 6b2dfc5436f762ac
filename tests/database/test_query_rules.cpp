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
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.query);
        EXPECT_EQ(queryRejection(c.criterion, c.query), c.message);
    }
}

} // namespace
} // namespace dravelin
