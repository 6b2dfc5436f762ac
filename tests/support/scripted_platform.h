#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "platform/platform.h"
#include "support/scripted_printer.h"

namespace dravelin {

// Platform services for tests: message boxes and dialogs are recorded and answered from a
// script, settings are kept in memory, the date is fixed and the pending-events pass runs a
// hook. Files are really written, unless the script makes the writes fail.
class ScriptedPlatform : public Platform {
public:
    struct Message {
        QString text;
        MessageButtons buttons;
    };
    using SettingKey = std::tuple<QString, QString, QString>; // application, section, key

    explicit ScriptedPlatform(std::filesystem::path programFolder = {}, QDate today = QDate(2026, 12, 7));

    MessageAnswer showMessage(QWidget* parent, const QString& text, MessageButtons buttons) override;
    void writeSetting(const QString& application, const QString& section, const QString& key,
                      const QString& value) override;
    QString readSetting(const QString& application, const QString& section, const QString& key) override
    {
        return setting(application, section, key);
    }
    std::filesystem::path programFolder() const override { return programFolder_; }
    std::filesystem::path manualFolder() const override
    {
        return sharedManualFolder.empty() ? programFolder_ : sharedManualFolder;
    }
    QDate today() const override { return today_; }
    void processPendingEvents() override;
    QString saveFileName(QWidget* parent, const QString& proposedName, const QString& filter,
                         const QString& defaultSuffix) override;
    std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes) override;
    Printer* defaultPrinter() override;
    bool showPrinterDialog(QWidget* parent, Printer& printer) override;
    std::optional<LabelChoice> chooseLabels(QWidget* parent, const LabelChoice& proposed) override;
    void showHelp(QWidget* parent, const std::filesystem::path& helpFile) override;
    FileLayer& fileLayer() override { return files ? *files : systemFileLayer(); }

    // Answers for the Yes/No boxes, in order; an unscripted question is answered No.
    std::deque<MessageAnswer> answers;
    // Runs while a Yes/No box is open, as if another program acted while the user read it.
    std::function<void()> onQuestion;
    // Runs inside the pending-events pass, as if the user acted at that moment.
    std::function<void()> onPendingEvents;
    // The file layer to use instead of the system's, to make its steps fail.
    FileLayer* files = nullptr;

    struct SaveDialog {
        QString proposedName;
        QString filter;
        QString defaultSuffix;
    };
    // Paths the save dialog returns, in order; when none is left the user chooses no file.
    std::deque<QString> savePaths;
    std::vector<SaveDialog> saveDialogs;
    // When set, every write fails with this description and leaves the disk untouched.
    std::optional<QString> writeFailure;
    QStringList filesWritten;

    // The printer the program finds; nullptr stands for a system without printer. Tests may
    // put a real printer here in place of the recording one.
    std::unique_ptr<Printer> printer = std::make_unique<ScriptedPrinter>();
    ScriptedPrinter& scriptedPrinter() const { return dynamic_cast<ScriptedPrinter&>(*printer); }
    // Answers for the printer dialog, in order; an unscripted dialog is accepted.
    std::deque<bool> printerDialogAnswers;
    // The lines of the open job each time the printer dialog was shown.
    std::vector<QStringList> printerDialogs;

    // Answers for the "Étiquettes" dialog, in order (nothing: cancelled); an unscripted
    // dialog is accepted as proposed.
    std::deque<std::optional<LabelChoice>> labelAnswers;
    std::vector<LabelChoice> labelDialogs; // what each one proposed

    std::vector<std::filesystem::path> helpFilesShown;
    // Set: the manual lies in this folder, not in the program folder (a system-wide install).
    std::filesystem::path sharedManualFolder;

    std::vector<Message> messages;
    std::vector<std::pair<SettingKey, QString>> settingsWritten; // in the order written
    int pendingEventPasses = 0;

    QStringList messageTexts() const;
    QString setting(const QString& application, const QString& section, const QString& key) const;

private:
    std::filesystem::path programFolder_;
    QDate today_;
};

} // namespace dravelin
