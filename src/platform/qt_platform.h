#pragma once

#include "platform/platform.h"

namespace dravelin {

// The platform services of a real desktop session.
class QtPlatform : public Platform {
public:
    MessageAnswer showMessage(QWidget* parent, const QString& text, MessageButtons buttons) override;
    void writeSetting(const QString& application, const QString& section, const QString& key,
                      const QString& value) override;
    QString programFolder() const override;
    QDate today() const override;
    void processPendingEvents() override;
};

} // namespace dravelin
