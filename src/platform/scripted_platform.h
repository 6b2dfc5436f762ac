#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "platform/platform.h"

namespace dravelin {

// Platform services for tests: message boxes are recorded and answered from a script,
// settings are kept in memory, the date is fixed and the pending-events pass runs a hook.
class ScriptedPlatform : public Platform {
public:
    struct Message {
        QString text;
        MessageButtons buttons;
    };
    using SettingKey = std::tuple<QString, QString, QString>; // application, section, key

    explicit ScriptedPlatform(QString programFolder = {}, QDate today = QDate(2026, 12, 7));

    MessageAnswer showMessage(QWidget* parent, const QString& text, MessageButtons buttons) override;
    void writeSetting(const QString& application, const QString& section, const QString& key,
                      const QString& value) override;
    QString programFolder() const override { return programFolder_; }
    QDate today() const override { return today_; }
    void processPendingEvents() override;
    FileLayer& fileLayer() override { return files ? *files : systemFileLayer(); }

    // Answers for the Yes/No boxes, in order; an unscripted question is answered No.
    std::deque<MessageAnswer> answers;
    // Runs inside the pending-events pass, as if the user acted at that moment.
    std::function<void()> onPendingEvents;
    // The file layer to use instead of the system's, to make its steps fail.
    FileLayer* files = nullptr;

    std::vector<Message> messages;
    std::vector<std::pair<SettingKey, QString>> settingsWritten; // in the order written
    int pendingEventPasses = 0;

    QStringList messageTexts() const;
    QString setting(const QString& application, const QString& section, const QString& key) const;

private:
    QString programFolder_;
    QDate today_;
};

} // namespace dravelin
