#include "database/query_rules.h"

#include "database/capital_fold.h"

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

} // namespace

std::string_view queryRejection(Criterion criterion, std::string_view query)
{
    switch (criterion) {
    case Criterion::Callsign:
        return checkLengthThenEmpty({12, "Attention 12 caracteres maxi pour l'indicatif", "Entrez un indicatif"}, query);
    case Criterion::Surname:
        return checkLengthThenEmpty({32, "Attention 32 caracteres maxi pour le nom", "Entrez un nom"}, query);
    case Criterion::City:
        return checkLengthThenEmpty({30, "Attention 30 caracteres maxi pour la ville", "Entrez une ville"}, query);
    case Criterion::Department:
        if (query.size() != 2)
            return "Attention 2 caracteres pour le département";
        return {};
    }
    return {};
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
