#include <gtest/gtest.h>

#include <optional>
#include <string>

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
        {"a stray continuation", "a\x80" "b", U"a\uFFFD" "b", "a\xC2\x80" "b"},
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
