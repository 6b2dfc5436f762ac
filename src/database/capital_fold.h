#pragma once

#include <array>
#include <string>
#include <string_view>

namespace dravelin {

// The one rule by which a small letter becomes its capital, on Windows-1252 bytes: a to z, à to
// þ (not the division sign), š œ ž ÿ. Letters without a capital of their own in Windows-1252
// (ß, µ) and every other byte stay as they are. Typing, searching and sorting all use it, so a
// letter typed, stored and looked for is the same letter whatever its case.
constexpr std::array<unsigned char, 256> makeCapitalFold()
{
    std::array<unsigned char, 256> fold{};
    for (int c = 0; c < 256; ++c)
        fold[c] = static_cast<unsigned char>(c);
    for (int c = 'a'; c <= 'z'; ++c)
        fold[c] = static_cast<unsigned char>(c - 32);
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7)
            fold[c] = static_cast<unsigned char>(c - 32);
    fold[0x9A] = 0x8A; // š Š
    fold[0x9C] = 0x8C; // œ Œ
    fold[0x9E] = 0x8E; // ž Ž
    fold[0xFF] = 0x9F; // ÿ Ÿ
    return fold;
}

inline constexpr std::array<unsigned char, 256> kCapitalFold = makeCapitalFold();

inline char capitalOf(char byte)
{
    return static_cast<char>(kCapitalFold[static_cast<unsigned char>(byte)]);
}

// The text with every small letter turned into its capital.
std::string capitals(std::string_view text);

// Whether the two texts are the same once both are folded to capitals.
bool equalIgnoringCase(std::string_view a, std::string_view b);

// Whether `text` begins with `start`, both folded to capitals.
bool startsWithIgnoringCase(std::string_view text, std::string_view start);

} // namespace dravelin
