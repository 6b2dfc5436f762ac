#include "database/unicode_text.h"

#include <array>

namespace dravelin {

namespace {

// The characters of bytes 0x80 to 0x9F; the other bytes are their own code points.
constexpr std::array<char32_t, 32> kHighControls = {
    U'\u20AC', U'\u0081', U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'\u008D', U'\u017D', U'\u008F',
    U'\u0090', U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'\u009D', U'\u017E', U'\u0178',
};

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed sequence at the start of `bytes` and its character, or 0.
std::size_t utf8Sequence(std::string_view bytes, char32_t& character)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) {
        character = lead;
        return 1;
    }
    std::size_t length;
    char32_t value;
    char32_t smallest;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!isContinuation(byte))
            return 0;
        value = (value << 6) | (byte & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    character = value;
    return length;
}

} // namespace

char32_t windows1252Character(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char32_t{byte};
}

std::optional<unsigned char> windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == character)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

std::optional<std::string> encodeWindows1252(std::u32string_view text, char32_t* refused)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const char32_t character : text) {
        const std::optional<unsigned char> byte = windows1252Byte(character);
        if (!byte) {
            if (refused)
                *refused = character;
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
    }
    return bytes;
}

std::u16string windows1252Text(std::string_view bytes)
{
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = static_cast<char16_t>(windows1252Character(static_cast<unsigned char>(bytes[i])));
    return text;
}

std::string windows1252BytesOf(std::u16string_view text, char substitute)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const char32_t character : decodeUtf16(text)) {
        const std::optional<unsigned char> byte = windows1252Byte(character);
        bytes += byte ? static_cast<char>(*byte) : substitute;
    }
    return bytes;
}

std::u32string decodeUtf8(std::string_view bytes)
{
    std::u32string text;
    while (!bytes.empty()) {
        char32_t character = kReplacementCharacter;
        const std::size_t length = utf8Sequence(bytes, character);
        text += length == 0 ? kReplacementCharacter : character;
        bytes.remove_prefix(length == 0 ? 1 : length);
    }
    return text;
}

std::string utf8FromWindows1252(std::string_view bytes)
{
    std::u32string characters;
    characters.reserve(bytes.size());
    for (const char byte : bytes)
        characters += windows1252Character(static_cast<unsigned char>(byte));
    return encodeUtf8(characters);
}

std::string encodeUtf8(std::u32string_view text)
{
    std::string bytes;
    for (const char32_t c : text) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (c >> 18));
            bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

std::u32string decodeUtf16(std::u16string_view text)
{
    std::u32string characters;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            characters += static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            characters += kReplacementCharacter;
        } else {
            characters += unit;
        }
    }
    return characters;
}

std::string utf8ForDisplay(std::string_view bytes)
{
    std::u32string text;
    while (!bytes.empty()) {
        char32_t character = 0;
        const std::size_t length = utf8Sequence(bytes, character);
        text += length == 0 ? char32_t{static_cast<unsigned char>(bytes[0])} : character;
        bytes.remove_prefix(length == 0 ? 1 : length);
    }
    return encodeUtf8(text);
}

} // namespace dravelin
