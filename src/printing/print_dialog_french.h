#pragma once

#include <QTranslator>

namespace dravelin {

// The texts of Qt's own print dialog that Qt's French translation leaves in English (the
// printer's properties, their Advanced tab, the help on page ranges). Installed after Qt's
// translation, it is asked first and leaves every other text to it.
class PrintDialogFrench : public QTranslator {
    Q_OBJECT

public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

} // namespace dravelin
