#include "platform/scripted_platform.h"

#include <utility>

namespace dravelin {

ScriptedPlatform::ScriptedPlatform(QString programFolder, QDate today)
    : programFolder_(std::move(programFolder)), today_(today)
{
}

MessageAnswer ScriptedPlatform::showMessage(QWidget*, const QString& text, MessageButtons buttons)
{
    messages.push_back({text, buttons});
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers.empty())
        return MessageAnswer::No;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedPlatform::writeSetting(const QString& application, const QString& section, const QString& key,
                                    const QString& value)
{
    settingsWritten.push_back({SettingKey{application, section, key}, value});
}

void ScriptedPlatform::processPendingEvents()
{
    ++pendingEventPasses;
    if (onPendingEvents)
        onPendingEvents();
}

QStringList ScriptedPlatform::messageTexts() const
{
    QStringList texts;
    for (const Message& message : messages)
        texts << message.text;
    return texts;
}

QString ScriptedPlatform::setting(const QString& application, const QString& section, const QString& key) const
{
    QString value;
    for (const auto& [written, text] : settingsWritten)
        if (written == SettingKey{application, section, key})
            value = text;
    return value;
}

} // namespace dravelin
