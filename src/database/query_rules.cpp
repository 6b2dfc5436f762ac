#include "database/query_rules.h"

#include <cstdio>

#include "database/capital_fold.h"
#include "database/department.h"
#include "database/unicode_text.h"

namespace dravelin {

namespace {

struct QueryRule {
    std::size_t maximumLength;
    std::string_view tooLong;
    std::string_view empty;
};

std::string_view checkLengthThenEmpty(const QueryRule& rule, std::string_view query)
{
    if (query.size() > rule.maximumLength)
        return rule.tooLong;
    if (query.empty())
        return rule.empty;
    return {};
}

std::string codePoint(char32_t character)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(character));
    return text;
}

} // namespace

std::string_view queryRejection(Criterion criterion, std::string_view query)
{
    switch (criterion) {
    case Criterion::Callsign:
        return checkLengthThenEmpty({12, "Attention 12 caracteres maxi pour l'indicatif", "Entrez un indicatif"},
                                    query);
    case Criterion::Surname:
        return checkLengthThenEmpty({32, "Attention 32 caracteres maxi pour le nom", "Entrez un nom"}, query);
    case Criterion::City:
        return checkLengthThenEmpty({30, "Attention 30 caracteres maxi pour la ville", "Entrez une ville"}, query);
    case Criterion::Department:
        // Two characters (75, 2A, a prefix such as 9*), or three digits for an overseas department.
        if (query.size() != 2 && !isOverseasDepartment(query))
            return "Attention 2 caracteres pour le département";
        return {};
    }
    return {};
}

std::optional<std::string> queryBytes(std::u32string_view query, std::string& refusal)
{
    char32_t refused = 0;
    std::optional<std::string> bytes = encodeWindows1252(query, &refused);
    if (!bytes)
        refusal = "La requête « " + encodeUtf8(query) +
                  " » contient un caractère que l'annuaire ne peut pas contenir (" + codePoint(refused) +
                  ") : le fichier est en Windows-1252.";
    return bytes;
}

QueryPattern patternOf(std::string_view query)
{
    QueryPattern pattern;
    pattern.prefix = !query.empty() && query.back() == '*';
    if (pattern.prefix)
        query.remove_suffix(1);
    pattern.text = capitals(query);
    return pattern;
}

} // namespace dravelin
