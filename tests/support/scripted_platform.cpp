#include "support/scripted_platform.h"

#include <utility>

#include "platform/atomic_file.h"

namespace dravelin {

ScriptedPlatform::ScriptedPlatform(std::filesystem::path programFolder, QDate today)
    : programFolder_(std::move(programFolder)), today_(today)
{
}

MessageAnswer ScriptedPlatform::showMessage(QWidget*, const QString& text, MessageButtons buttons)
{
    messages.push_back({text, buttons});
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (onQuestion)
        onQuestion();
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

QString ScriptedPlatform::saveFileName(QWidget*, const QString& proposedName, const QString& filter,
                                       const QString& defaultSuffix)
{
    saveDialogs.push_back({proposedName, filter, defaultSuffix});
    if (savePaths.empty())
        return {};
    QString path = savePaths.front();
    savePaths.pop_front();
    return path;
}

std::optional<QString> ScriptedPlatform::writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    if (writeFailure)
        return writeFailure;
    std::optional<QString> failure = writeWholeFile(path, bytes);
    if (!failure)
        filesWritten << path;
    return failure;
}

Printer* ScriptedPlatform::defaultPrinter()
{
    return printer.get();
}

bool ScriptedPlatform::showPrinterDialog(QWidget*, Printer& shown)
{
    auto* scripted = dynamic_cast<ScriptedPrinter*>(&shown);
    printerDialogs.push_back(scripted ? ScriptedPrinter::texts(scripted->openJob) : QStringList());
    if (printerDialogAnswers.empty())
        return true;
    const bool accepted = printerDialogAnswers.front();
    printerDialogAnswers.pop_front();
    return accepted;
}

std::optional<LabelChoice> ScriptedPlatform::chooseLabels(QWidget*, const LabelChoice& proposed)
{
    labelDialogs.push_back(proposed);
    if (labelAnswers.empty())
        return proposed;
    const std::optional<LabelChoice> answer = labelAnswers.front();
    labelAnswers.pop_front();
    return answer;
}

void ScriptedPlatform::showHelp(QWidget*, const std::filesystem::path& helpFile)
{
    helpFilesShown.push_back(helpFile);
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
