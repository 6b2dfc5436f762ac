#include "platform/qt_platform.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QScreen>
#include <QSettings>
#include <algorithm>

#include "help_window/help_window.h"
#include "platform/atomic_file.h"
#include "platform/executable_folder.h"
#include "platform/file_filter.h"
#include "platform/label_dialog.h"
#include "printing/qt_printer.h"

namespace dravelin {

namespace {

// A message box wraps lines longer than a set width; a text of several aligned lines, such as
// the version history, must keep each line whole while the screen has room for it.
void keepLinesWhole(QMessageBox& box, const QString& text)
{
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    const QScreen* screen = box.screen();
    const int room = screen ? screen->availableGeometry().width() * 4 / 5 : widest;
    label->setMinimumWidth(std::min(widest, room));
}

// Qt decodes the executable's path as UTF-8 and loses a name that is not: the system's bytes
// are taken instead, and Qt's answer only where the system gives none.
std::filesystem::path runningProgramFolder()
{
    std::filesystem::path folder = executableFolder();
    if (folder.empty())
        folder = toFilesystemPath(QCoreApplication::applicationDirPath());
    return folder;
}

} // namespace

QtPlatform::QtPlatform() : folders_(findProgramFolders(runningProgramFolder(), userDataFolder(userEnvironment())))
{
    // A failed copy needs no word here: the start-up then reports the list missing from the
    // user's folder.
    placeSample(folders_);
}

QtPlatform::~QtPlatform() = default;

MessageAnswer QtPlatform::showMessage(QWidget* parent, const QString& text, MessageButtons buttons)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const auto standardButtons = buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                                  : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Dravelin"), shown, standardButtons, parent);
    box.setAccessibleName(QStringLiteral("Dravelin"));
    box.setAccessibleDescription(shown);
    keepLinesWhole(box, shown);
    const int answer = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtPlatform::writeSetting(const QString& application, const QString& section, const QString& key,
                              const QString& value)
{
    QSettings settings(QSettings::UserScope, application);
    settings.beginGroup(section);
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
}

QString QtPlatform::readSetting(const QString& application, const QString& section, const QString& key)
{
    QSettings settings(QSettings::UserScope, application);
    settings.beginGroup(section);
    return settings.value(key).toString();
}

std::filesystem::path QtPlatform::programFolder() const
{
    return folders_.listFolder;
}

std::filesystem::path QtPlatform::manualFolder() const
{
    return folders_.manualFolder;
}

QDate QtPlatform::today() const
{
    return QDate::currentDate();
}

void QtPlatform::processPendingEvents()
{
    QCoreApplication::processEvents();
}

QString QtPlatform::saveFileName(QWidget* parent, const QString& proposedName, const QString& filter,
                                 const QString& defaultSuffix)
{
    QFileDialog dialog(parent, QString(), QString(), qtFileFilter(filter));
    dialog.setObjectName(QStringLiteral("Enregistrer_Liste"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    // The program asks itself, about the name it will really write and once it has checked
    // that name: a question here could come before a refusal, or be about another file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

std::optional<QString> QtPlatform::writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    return writeWholeFile(path, bytes);
}

Printer* QtPlatform::defaultPrinter()
{
    // Never none: without a printer the job goes to a PDF file chosen in the dialog.
    if (!printer_)
        printer_ = std::make_unique<QtPrinter>();
    return printer_.get();
}

bool QtPlatform::showPrinterDialog(QWidget* parent, Printer& printer)
{
    // A printer that is not a QPrinter (a test's stand-in) has no system dialog to show.
    auto* qtPrinter = dynamic_cast<QtPrinter*>(&printer);
    if (!qtPrinter)
        return true;
    QPrinter& device = qtPrinter->device();
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    // The system's own dialog there serves real printers only: a PDF file is chosen by name.
    if (device.outputFormat() == QPrinter::PdfFormat) {
        const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Imprimer dans un fichier PDF"),
                                                          device.outputFileName(), QStringLiteral("PDF (*.pdf)"));
        if (path.isEmpty())
            return false;
        device.setOutputFileName(path);
        return true;
    }
#endif
    QPrintDialog dialog(&device, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<LabelChoice> QtPlatform::chooseLabels(QWidget* parent, const LabelChoice& proposed)
{
    LabelDialog dialog(proposed, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

void QtPlatform::showHelp(QWidget* parent, const std::filesystem::path& helpFile)
{
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(parent);
    helpWindow_->showFile(helpFile);
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

} // namespace dravelin
