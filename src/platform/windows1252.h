#pragma once

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <string>
#include <string_view>

namespace dravelin {

// Converts between the directory's Windows-1252 bytes and the widgets' Unicode text.
// All 256 byte values survive a round trip, the five that Windows-1252 leaves undefined
// included (they map to the C1 control characters of the same value).
class Windows1252 {
public:
    Windows1252();

    QString decode(std::string_view bytes);
    // Characters that Windows-1252 cannot hold become a substitution byte.
    std::string encode(const QString& text);

    // The capital of a small letter as the directory writes it (capital_fold.h); every other
    // character, those that Windows-1252 cannot hold among them, is returned unchanged.
    static QChar capitalOf(QChar character);

private:
    QStringDecoder decoder_;
    QStringEncoder encoder_;
};

} // namespace dravelin
