#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "database/criterion.h"

namespace dravelin {

// The checks a query passes before a search runs, in their order. Returns the message to
// show (UTF-8) for a query that must not be searched, or an empty text when it may be.
// Lengths count characters of the unchanged query: Windows-1252 bytes, spaces included.
std::string_view queryRejection(Criterion criterion, std::string_view query);

// The Windows-1252 bytes of a query given as characters (typed, pasted or passed to a command),
// or nothing when one of them has no byte there: it would be searched as a substitution byte,
// which only a damaged line holds. `refusal` then holds the message to show (UTF-8).
std::optional<std::string> queryBytes(std::u32string_view query, std::string& refusal);

// What a query that passed its checks asks for, folded to capitals (capital_fold.h): a field
// equal to `text`, or, for a query ending in "*", a field that begins with the text before
// that "*" (a lone "*" asks for every entry). A "*" anywhere else is an ordinary character.
struct QueryPattern {
    std::string text;
    bool prefix = false;
};

QueryPattern patternOf(std::string_view query);

} // namespace dravelin
