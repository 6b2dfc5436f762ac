#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dravelin {

// Unicode text to and from the directory's Windows-1252 bytes, and UTF-8 and UTF-16 to code
// points, without Qt: the one converter of the program, for the commands and the windows alike.

// The character of one Windows-1252 byte. The five bytes that Windows-1252 leaves undefined
// stand for the C1 control characters of the same value, so all 256 survive a round trip.
char32_t windows1252Character(unsigned char byte);
// The byte of one character, or nothing when Windows-1252 cannot hold it.
std::optional<unsigned char> windows1252Byte(char32_t character);

// The Windows-1252 bytes of the text, or nothing when a character has no byte; `refused`
// then holds the first such character.
std::optional<std::string> encodeWindows1252(std::u32string_view text, char32_t* refused = nullptr);

// The UTF-16 text of Windows-1252 bytes, one unit a byte: every character of the table lies in
// the first plane.
std::u16string windows1252Text(std::string_view bytes);
// The Windows-1252 bytes of UTF-16 text, one a character; a character without a byte (a lone
// surrogate among them) becomes `substitute`.
std::string windows1252BytesOf(std::u16string_view text, char substitute = '?');

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// The UTF-8 bytes of Windows-1252 text, for a terminal that shows UTF-8; CR and LF stay as
// they are.
std::string utf8FromWindows1252(std::string_view bytes);

// The characters of UTF-8 bytes. Each byte that does not belong to a well-formed sequence (a
// stray continuation, a sequence cut short, too long or encoding a surrogate) is U+FFFD.
std::u32string decodeUtf8(std::string_view bytes);
std::string encodeUtf8(std::u32string_view text);
// The characters of UTF-16 text; a surrogate without its other half is U+FFFD.
std::u32string decodeUtf16(std::u16string_view text);

// A name that should be UTF-8 but may come from a system that wrote Latin-1 (a folder copied
// from an old disk), as UTF-8 for messages: well-formed sequences as they are, every other
// byte read as the Latin-1 character of that value. Only for showing: the name itself is
// always used as its bytes.
std::string utf8ForDisplay(std::string_view bytes);

} // namespace dravelin
