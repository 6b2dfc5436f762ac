#pragma once

#include <string_view>

namespace dravelin {

// Removes the space characters at both ends; tabs and other white space stay, as in the file.
constexpr std::string_view trimSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The first n characters, or all of the text when it is shorter.
constexpr std::string_view leftChars(std::string_view text, std::size_t n)
{
    return text.substr(0, n);
}

} // namespace dravelin
