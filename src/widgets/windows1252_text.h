#pragma once

#include <QChar>
#include <QString>
#include <string>
#include <string_view>

namespace dravelin {

// The widgets' Unicode text to and from the directory's Windows-1252 bytes, through the core's
// one table (database/unicode_text.h): no codec of Qt's, which a Qt built without ICU lacks.
// All 256 byte values survive a round trip, the five that Windows-1252 leaves undefined
// included (they map to the C1 control characters of the same value).
class Windows1252 {
public:
    static QString decode(std::string_view bytes);
    // Characters that Windows-1252 cannot hold become "?".
    static std::string encode(const QString& text);

    // The capital of a small letter as the directory writes it (capital_fold.h); every other
    // character, those that Windows-1252 cannot hold among them, is returned unchanged.
    static QChar capitalOf(QChar character);
};

} // namespace dravelin
