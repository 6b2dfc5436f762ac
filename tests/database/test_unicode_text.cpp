#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "database/unicode_text.h"

namespace dravelin {
namespace {

TEST(UnicodeText, EveryWindows1252ByteSurvivesTheRoundTrip)
{
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t character = windows1252Character(static_cast<unsigned char>(byte));
        EXPECT_EQ(windows1252Byte(character), std::optional<unsigned char>(static_cast<unsigned char>(byte))) << byte;
    }
}

// Every byte against Unicode's own table of Windows-1252 (its mapping file CP1252.TXT): ASCII
// and 0xA0 to 0xFF are the code points of the same value; 0x80 to 0x9F as listed there, the five
// bytes it leaves undefined standing for the C1 controls of the same value.
TEST(UnicodeText, EveryByteIsItsCharacterInUnicodesTable)
{
    const std::pair<unsigned char, char32_t> listed[] = {
        {0x80, 0x20AC}, {0x81, 0x0081}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026}, {0x86, 0x2020},
        {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160}, {0x8B, 0x2039}, {0x8C, 0x0152}, {0x8D, 0x008D},
        {0x8E, 0x017D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D},
        {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014}, {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A},
        {0x9C, 0x0153}, {0x9D, 0x009D}, {0x9E, 0x017E}, {0x9F, 0x0178},
    };
    std::array<char32_t, 256> unicode{};
    for (int byte = 0; byte < 256; ++byte)
        unicode[static_cast<std::size_t>(byte)] = static_cast<char32_t>(byte);
    for (const auto& [byte, character] : listed)
        unicode[byte] = character;

    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const std::u16string text = windows1252Text(all);
    ASSERT_EQ(text.size(), 256u);
    for (std::size_t byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        EXPECT_EQ(windows1252Character(static_cast<unsigned char>(byte)), unicode[byte]);
        EXPECT_EQ(static_cast<char32_t>(text[byte]), unicode[byte]);
    }
    EXPECT_EQ(windows1252BytesOf(text), all);
}

// What the windows send to the file: one byte a character, the substitute for a character that
// Windows-1252 cannot hold ("?" unless told).
struct Substitution {
    const char* name;
    std::u16string text;
    std::string bytes;
    std::string underscored; // with "_" as the substitute
};

TEST(UnicodeText, Utf16TextBecomesWindows1252WithSubstitutes)
{
    const Substitution cases[] = {
        {"letters", u"\u00C9VREUX", "\xC9VREUX", "\xC9VREUX"},
        {"the table of 0x80 to 0x9F", u"\u20AC \u0153", "\x80 \x9C", "\x80 \x9C"},
        {"empty", u"", "", ""},
        {"Latin Extended-A", u"PARIS \u0100", "PARIS ?", "PARIS _"},
        {"beyond the first plane: one substitute for the pair", u"\U0001F600!", "?!", "_!"},
        {"a lone surrogate", std::u16string(1, char16_t{0xD800}) + u"A", "?A", "_A"},
        {"a question mark stays", u"?", "?", "?"},
    };
    for (const Substitution& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(windows1252BytesOf(c.text), c.bytes);
        EXPECT_EQ(windows1252BytesOf(c.text, '_'), c.underscored);
    }
}

struct Encoding {
    const char* name;
    std::u32string text;
    std::optional<std::string> bytes; // none: refused
    char32_t refused;
};

TEST(UnicodeText, EncodesWhatWindows1252HoldsAndRefusesTheRest)
{
    const Encoding cases[] = {
        {"letters", U"\u00C9VREUX", std::string("\xC9VREUX"), 0},
        {"the table of 0x80 to 0x9F", U"\u20AC\u0152\u2019\u0178", std::string("\x80\x8C\x92\x9F"), 0},
        {"undefined bytes as C1 controls", U"\u0081\u009D", std::string("\x81\x9D"), 0},
        {"a control character", U"A\u001A", std::string("A\x1A"), 0},
        {"empty", U"", std::string(), 0},
        {"Latin Extended-A", U"PARIS \u0100", std::nullopt, U'\u0100'},
        {"snowman", U"\u2603", std::nullopt, U'\u2603'},
        {"the first refused is told", U"\u00E9\u200B\u2603", std::nullopt, U'\u200B'},
        {"beyond the first plane", U"\U0001F600", std::nullopt, U'\U0001F600'},
        {"a decoding failure", U"L\uFFFDVY", std::nullopt, U'\uFFFD'},
    };
    for (const Encoding& c : cases) {
        SCOPED_TRACE(c.name);
        char32_t refused = 0;
        EXPECT_EQ(encodeWindows1252(c.text, &refused), c.bytes);
        EXPECT_EQ(refused, c.refused);
    }
}

struct Decoding {
    const char* name;
    std::string bytes;
    std::u32string text;
    std::string shown; // utf8ForDisplay
};

TEST(UnicodeText, Windows1252TextBecomesUtf8ForATerminal)
{
    EXPECT_EQ(utf8FromWindows1252("F1A         L\xC9VY H\xE9l\xE8ne  27000 \xC9VREUX\r\n"),
              "F1A         L\xC3\x89VY H\xC3\xA9l\xC3\xA8ne  27000 \xC3\x89VREUX\r\n");
    EXPECT_EQ(utf8FromWindows1252("\x80\x8C\x9F\xFF\x81\x1A"), "\xE2\x82\xAC\xC5\x92\xC5\xB8\xC3\xBF\xC2\x81\x1A");
    EXPECT_EQ(utf8FromWindows1252(std::string("\0;\r", 3)), std::string("\0;\r", 3));
}

TEST(UnicodeText, DecodesUtf8AndShowsOtherBytesAsLatin1)
{
    const Decoding cases[] = {
        {"ASCII", "PARIS", U"PARIS", "PARIS"},
        {"two, three and four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", U"\u00E9\u20AC\U0001F600",
         "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"a Latin-1 byte", "caf\xE9", U"caf\uFFFD", "caf\xC3\xA9"},
        {"a stray continuation",
         "a\x80"
         "b",
         U"a\uFFFD"
         "b",
         "a\xC2\x80"
         "b"},
        {"a sequence cut short", "\xE2\x82", U"\uFFFD\uFFFD", "\xC3\xA2\xC2\x82"},
        {"too long a form", "\xC0\xAF", U"\uFFFD\uFFFD", "\xC3\x80\xC2\xAF"},
        {"a surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD", "\xC3\xAD\xC2\xA0\xC2\x80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},
        {"valid and Latin-1 side by side", "\xC3\xA9t\xE9", U"\u00E9t\uFFFD", "\xC3\xA9t\xC3\xA9"},
    };
    for (const Decoding& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeUtf8(c.bytes), c.text);
        EXPECT_EQ(utf8ForDisplay(c.bytes), c.shown);
    }
}

TEST(UnicodeText, DecodesUtf16WithLoneSurrogatesReplaced)
{
    EXPECT_EQ(decodeUtf16(u"\u00C9VREUX"), U"\u00C9VREUX");
    EXPECT_EQ(decodeUtf16(u"\U0001F600"), U"\U0001F600");
    const char16_t lone[] = {u'A', 0xD800, u'B', 0xDC00};
    EXPECT_EQ(decodeUtf16(std::u16string_view(lone, 4)), U"A\uFFFDB\uFFFD");
    EXPECT_EQ(encodeUtf8(decodeUtf16(u"d\u00E9j\u00E0 \u20AC")), "d\xC3\xA9j\xC3\xA0 \xE2\x82\xAC");
}

} // namespace
} // namespace dravelin
