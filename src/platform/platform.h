#pragma once

#include <QDate>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

#include "database/file_layer.h"

class QByteArray;
class QWidget;

namespace dravelin {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// One label of a sheet: the page it goes on (from 0), where it lies on the paper in
// millimetres from the top-left corner, and its lines, the first printed in bold.
struct PrintedLabel {
    int page;
    QRectF box;
    QStringList lines;
};

// What the "Étiquettes" dialog asks before labels are printed: the sheet (its index among
// labelSheets()) and the label of the first sheet to start from (1 = top left).
struct LabelChoice {
    std::size_t sheet;
    std::size_t firstLabel;
};

// The system's default printer as the program drives it. The font settings last from one
// job to the next, like those of a printer object; a job is handed over or thrown away whole.
class Printer {
public:
    virtual ~Printer() = default;

    virtual QString fontName() const = 0;
    virtual float fontSize() const = 0; // points
    virtual bool fontBold() const = 0;
    virtual void setFontName(const QString& face) = 0;
    virtual void setFontSize(float points) = 0;
    virtual void setFontBold(bool bold) = 0;

    // Prints the text in the current font and moves to the next line; an empty text gives an
    // empty line. The first line opens a job; a full page moves on to the next by itself.
    virtual void printLine(const QString& text) = 0;
    // Sets the text printed, in the current font, at the foot of every page of the job that
    // the next lines go to:
    // "%1" in it becomes the page's number, "%2" the number of pages. The job's end clears it.
    virtual void setPageFoot(const QString& foot) = 0;
    // A line printed after this call that is wider than the page goes on over the next
    // printed lines, each starting this many characters in. The job's end sets it back to 0.
    virtual void setWrapIndent(int characters) = 0;
    // Hands the open job to the printer. A French description of the failure when it did not go through.
    virtual std::optional<QString> endJob() = 0;
    // Throws the open job away: nothing of it is printed.
    virtual void discardJob() = 0;

    // Where jobs go to a PDF file whose name the user has not chosen, the name the printer
    // dialog proposes next (in the same folder); a name the user chose stays.
    virtual void proposePdfName(const QString& fileName) = 0;

    // Prints labels as a job of their own, on paper of that size in millimetres, without
    // touching the font settings or an open job. Each label's text stays inside its box, a
    // line too long for it shortened. A French description of the failure when it did not go through.
    virtual std::optional<QString> printLabels(const QSizeF& paper, const std::vector<PrintedLabel>& labels) = 0;
};

// Every service the windows need from the system. The windows never open a dialog, a
// printer or the settings store themselves, so tests can put a script in their place.
class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box titled "Dravelin", without icon; CR LF starts a new line.
    virtual MessageAnswer showMessage(QWidget* parent, const QString& text, MessageButtons buttons) = 0;

    // Writes one text value under application, section and key of the user's settings.
    virtual void writeSetting(const QString& application, const QString& section, const QString& key,
                              const QString& value) = 0;

    // The value written under application, section and key; empty when there is none.
    virtual QString readSetting(const QString& application, const QString& section, const QString& key) = 0;

    // The folder where the directory file lives, with its scratch file and lock: the folder of
    // the running program, or the user's own folder for a system-wide install (see
    // chooseProgramFolders). The system's own name for it, which need not be UTF-8 (show it
    // with displayPath).
    virtual std::filesystem::path programFolder() const = 0;
    // The folder of the user manual: the program folder, unless the program is installed
    // system-wide (the shared data folder then).
    virtual std::filesystem::path manualFolder() const { return programFolder(); }

    virtual QDate today() const = 0;

    // Lets the window handle the events waiting now, once, and returns.
    virtual void processPendingEvents() = 0;

    // The modal save-file dialog. `filter` is description and pattern pairs joined by "|", as
    // in ".txt |*.txt"; `defaultSuffix` (without its dot, empty for none) is the extension the
    // dialog gives a name typed without one. Returns the full path as the dialog gives it, or an
    // empty text when no file was chosen. The dialog does not ask before replacing a file: the
    // caller asks, once it knows the name it will write and has checked it.
    virtual QString saveFileName(QWidget* parent, const QString& proposedName, const QString& filter,
                                 const QString& defaultSuffix) = 0;

    // Writes the whole file or nothing: the bytes replace a file of that name only once they
    // are all on disk, so an earlier file survives a failure. On failure, a French description.
    virtual std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes) = 0;

    // The default printer; nullptr when the system has none.
    virtual Printer* defaultPrinter() = 0;
    // The modal printer dialog for the job open on `printer`; false when the user cancelled it.
    virtual bool showPrinterDialog(QWidget* parent, Printer& printer) = 0;

    // The modal "Étiquettes" dialog, opened on `proposed`; nothing when the user cancelled it.
    virtual std::optional<LabelChoice> chooseLabels(QWidget* parent, const LabelChoice& proposed) = 0;

    // Shows an HTML help file in the program's help window, not modal. The path is the
    // system's own name, which need not be UTF-8, like programFolder's.
    virtual void showHelp(QWidget* parent, const std::filesystem::path& helpFile) = 0;
    // The calls that write, flush and rename files on behalf of the editing window.
    virtual FileLayer& fileLayer() { return systemFileLayer(); }
};

// A folder or file name of the widgets' world as a path for the database layer.
inline std::filesystem::path toFilesystemPath(const QString& name)
{
    return std::filesystem::path(name.toStdU16String());
}
inline const std::filesystem::path& toFilesystemPath(const std::filesystem::path& name)
{
    return name;
}

// A path for messages, with the system's separators. A name that is not valid UTF-8 is shown
// as well as it can be (its stray bytes read as Latin-1); the path itself is never rebuilt from it.
QString displayPath(const std::filesystem::path& path);

} // namespace dravelin
