#include "platform/windows1252.h"

#include "database/capital_fold.h"
#include "database/unicode_text.h"

namespace dravelin {

Windows1252::Windows1252()
    : decoder_("windows-1252", QStringConverter::Flag::Stateless),
      encoder_("windows-1252", QStringConverter::Flag::Stateless)
{
    Q_ASSERT(decoder_.isValid() && encoder_.isValid());
}

QString Windows1252::decode(std::string_view bytes)
{
    return decoder_.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string Windows1252::encode(const QString& text)
{
    const QByteArray bytes = encoder_.encode(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QChar Windows1252::capitalOf(QChar character)
{
    const std::optional<unsigned char> byte = windows1252Byte(character.unicode());
    if (!byte)
        return character;
    // Every Windows-1252 character lies in the Basic Multilingual Plane.
    return QChar(static_cast<char16_t>(windows1252Character(
        static_cast<unsigned char>(dravelin::capitalOf(static_cast<char>(*byte))))));
}

} // namespace dravelin
