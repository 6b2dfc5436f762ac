#include "database/capital_fold.h"

namespace dravelin {

std::string capitals(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = capitalOf(c);
    return out;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && startsWithIgnoringCase(a, b);
}

bool startsWithIgnoringCase(std::string_view text, std::string_view start)
{
    if (start.size() > text.size())
        return false;
    for (std::size_t i = 0; i < start.size(); ++i)
        if (capitalOf(text[i]) != capitalOf(start[i]))
            return false;
    return true;
}

} // namespace dravelin
