#include "widgets/windows1252_text.h"

#include "database/capital_fold.h"
#include "database/unicode_text.h"

namespace dravelin {

QString Windows1252::decode(std::string_view bytes)
{
    const std::u16string text = windows1252Text(bytes);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Windows1252::encode(const QString& text)
{
    return windows1252BytesOf(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}

QChar Windows1252::capitalOf(QChar character)
{
    const std::optional<unsigned char> byte = windows1252Byte(character.unicode());
    if (!byte)
        return character;
    // Every Windows-1252 character lies in the Basic Multilingual Plane.
    return QChar(static_cast<char16_t>(
        windows1252Character(static_cast<unsigned char>(dravelin::capitalOf(static_cast<char>(*byte))))));
}

} // namespace dravelin
