#pragma once

#include <QPointer>
#include <memory>

#include "database/program_folders.h"
#include "help_window/help_window.h"
#include "platform/platform.h"

namespace dravelin {

class QtPrinter;

// The platform services of a real desktop session.
class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    MessageAnswer showMessage(QWidget* parent, const QString& text, MessageButtons buttons) override;
    void writeSetting(const QString& application, const QString& section, const QString& key,
                      const QString& value) override;
    QString readSetting(const QString& application, const QString& section, const QString& key) override;
    std::filesystem::path programFolder() const override;
    std::filesystem::path manualFolder() const override;
    QDate today() const override;
    void processPendingEvents() override;

    QString saveFileName(QWidget* parent, const QString& proposedName, const QString& filter,
                         const QString& defaultSuffix) override;
    std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes) override;
    Printer* defaultPrinter() override;
    bool showPrinterDialog(QWidget* parent, Printer& printer) override;
    std::optional<LabelChoice> chooseLabels(QWidget* parent, const LabelChoice& proposed) override;
    void showHelp(QWidget* parent, const std::filesystem::path& helpFile) override;

    // The help window once it has been opened, for tests and for screen readers.
    HelpWindow* helpWindow() const { return helpWindow_; }

private:
    // Chosen once, at start-up, when the sample is placed for a new user.
    ProgramFolders folders_;
    // One printer for the session: its font settings, and the printer the user picks in
    // the dialog, carry over to the next job.
    std::unique_ptr<QtPrinter> printer_;
    QPointer<HelpWindow> helpWindow_;
};

} // namespace dravelin
