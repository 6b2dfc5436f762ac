#include "database/department.h"

#include "database/result_line.h"

namespace dravelin {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr std::size_t kStartLength = 3;

} // namespace

bool isOverseasDepartment(std::string_view text)
{
    return text.size() == kStartLength && text[0] == '9' && (text[1] == '7' || text[1] == '8') && isDigit(text[2]);
}

std::string_view PostcodeStarts::sharedStart() const
{
    std::size_t length = 0;
    while (length < lowest.size() && length < highest.size() && lowest[length] == highest[length])
        ++length;
    return lowest.substr(0, length);
}

std::optional<PostcodeStarts> namedPostcodeStarts(std::string_view department)
{
    if (department == "2A")
        return PostcodeStarts{"200", "201"};
    if (department == "2B")
        return PostcodeStarts{"202", "206"};
    if (isOverseasDepartment(department))
        return PostcodeStarts{department, department};
    return std::nullopt;
}

bool beginsWithin(std::string_view storedPostcode, const PostcodeStarts& starts)
{
    std::string_view start = storedPostcode.substr(0, kStartLength);
    char restored[kStartLength] = {'0', 0, 0};
    if (storedPostcode.size() == kPostcodeLosingZeroLength) {
        restored[1] = storedPostcode[0];
        restored[2] = storedPostcode[1];
        start = std::string_view(restored, kStartLength);
    }
    return start.size() == kStartLength && start >= starts.lowest && start <= starts.highest;
}

} // namespace dravelin
