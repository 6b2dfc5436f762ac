#pragma once

#include <string_view>

#include "database/criterion.h"

namespace dravelin {

// The checks a query passes before a search runs, in their order. Returns the message to
// show (UTF-8) for a query that must not be searched, or an empty text when it may be.
// Lengths count characters of the unchanged query: Windows-1252 bytes, spaces included.
std::string_view queryRejection(Criterion criterion, std::string_view query);

} // namespace dravelin
