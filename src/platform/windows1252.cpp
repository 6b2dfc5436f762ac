#include "platform/windows1252.h"

#include "database/capital_fold.h"

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
    const std::string byte = encode(QString(character));
    if (byte.size() != 1 || decode(byte) != QString(character))
        return character;
    const QString capital = decode(std::string(1, dravelin::capitalOf(byte[0])));
    return capital.size() == 1 ? capital[0] : character;
}

} // namespace dravelin
