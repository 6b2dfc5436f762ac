#include "main_window/main_window.h"

#include <QAction>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "database/reserved_files.h"
#include "database/result_line.h"
#ifdef DRAVELIN_SPREADSHEET
#include "database/spreadsheet_file.h"
#endif
#include "main_window/result_list_model.h"
#include "platform/platform.h"
#include "shared/sous_programmes.h"
#include "widgets/windows1252_text.h"

namespace dravelin {

namespace {

const QString kTextFilter = QStringLiteral(".txt |*.txt");
const QString kCsvFilter = QStringLiteral(".csv |*.csv");
const QString kSpreadsheetFilter = QStringLiteral(".xlsx |*.xlsx");

// The printout face: fixed pitch keeps the columns of the result lines aligned.
const QString kPrintFace = QStringLiteral("Courier New");
constexpr float kPrintPoints = 7;

QString proposedNamePrefix(Criterion criterion)
{
    switch (criterion) {
    case Criterion::Callsign:
        return QStringLiteral("Recherche_indicatif_");
    case Criterion::Surname:
        return QStringLiteral("Recherche_nom_");
    case Criterion::City:
        return QStringLiteral("Recherche_ville_");
    case Criterion::Department:
        break;
    }
    return QStringLiteral("Recherche_departement_");
}

// The star of a prefix query cannot stand in a file name on Windows, and a save dialog takes a
// name holding it for a filter: the proposal carries "_" in its place.
QString proposedName(Criterion criterion, const QString& query)
{
    return proposedNamePrefix(criterion) + QString(query).replace(QLatin1Char('*'), QLatin1Char('_'));
}

QString headingStart(Criterion criterion)
{
    switch (criterion) {
    case Criterion::Callsign:
        return QStringLiteral("Indicatif ");
    case Criterion::Surname:
        return QStringLiteral("Nom ");
    case Criterion::City:
        return QStringLiteral("Ville ");
    case Criterion::Department:
        break;
    }
    return QStringLiteral("Departement ");
}

// Why the list may not go to a file of the directory: over the directory itself it would
// replace every entry, past its lock; over the scratch file or the lock it would be lost to, or
// break, the next change of the directory.
QString reservedFileReason(ReservedFile file)
{
    switch (file) {
    case ReservedFile::Directory:
        return QStringLiteral("ce fichier est l'annuaire « Annuaire_Amat.csv » : la liste le remplacerait en entier.");
    case ReservedFile::Scratch:
        return QStringLiteral(
            "ce fichier est le fichier de travail « Temporaire.txt » de l'annuaire, réservé au programme.");
    case ReservedFile::LinkedScratch:
        return QStringLiteral(
            "ce nom est celui des fichiers de travail de l'annuaire à côté du fichier où mène son lien, "
            "réservé au programme.");
    case ReservedFile::Lock:
        break;
    }
    return QStringLiteral("ce fichier est le verrou « Annuaire_Amat.lock » de l'annuaire, réservé au programme.");
}

// Puts back the printer font found before the job, whatever way the job ends.
class PrinterFontKeeper {
public:
    explicit PrinterFontKeeper(Printer& printer)
        : printer_(printer), face_(printer.fontName()), points_(printer.fontSize()), bold_(printer.fontBold())
    {
    }
    ~PrinterFontKeeper()
    {
        printer_.setFontName(face_);
        printer_.setFontSize(points_);
        printer_.setFontBold(bold_);
    }
    PrinterFontKeeper(const PrinterFontKeeper&) = delete;
    PrinterFontKeeper& operator=(const PrinterFontKeeper&) = delete;

private:
    Printer& printer_;
    QString face_;
    float points_;
    bool bold_;
};

// The txt and csv forms, Windows-1252 as the directory.
ListContents windows1252Lines(LineConverter convert)
{
    return [convert](const ResultRows& rows) {
        const std::string bytes = listOutput(rows, convert);
        return ListBytes{QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), std::nullopt};
    };
}

#ifdef DRAVELIN_SPREADSHEET
// The workbook: the library writes it to a file of a private folder, whose bytes then replace
// the chosen file whole, as the other forms do.
ListBytes spreadsheetBytes(const ResultRows& rows)
{
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        return {{}, QStringLiteral("le dossier de travail du classeur ne peut pas être créé.")};
    const QString file = scratch.filePath(QStringLiteral("liste.xlsx"));
    if (const std::optional<std::string> failure =
            writeSpreadsheet(toFilesystemPath(file), kSpreadsheetHeading, spreadsheetRows(rows)))
        return {{}, QString::fromStdString(*failure)};
    QFile written(file);
    if (!written.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("le classeur préparé ne peut pas être relu.")};
    return {written.readAll(), std::nullopt};
}
#endif

// The name written ends with the format's extension: the file holds that format whatever the
// name typed, "ST.DENIS" or "liste.txt", ends with.
QString withExtension(const QString& path, const QString& extension)
{
    if (extension.isEmpty() || path.endsWith(extension, Qt::CaseInsensitive))
        return path;
    return path + extension;
}

} // namespace

void Main::connectOutputMenus()
{
    connect(saveTextAction_, &QAction::triggered, this,
            [this] { saveList(kTextFilter, windows1252Lines(appendTextLine)); });
    connect(saveCsvAction_, &QAction::triggered, this,
            [this] { saveList(kCsvFilter, windows1252Lines(appendCsvLine)); });
#ifdef DRAVELIN_SPREADSHEET
    connect(saveSpreadsheetAction_, &QAction::triggered, this,
            [this] { saveList(kSpreadsheetFilter, spreadsheetBytes, QStringLiteral(".xlsx")); });
#endif
    connect(printListAction_, &QAction::triggered, this, &Main::printList);
}

void Main::saveList(const QString& filter, const ListContents& contents, const QString& extension)
{
    const QString chosen = platform_.saveFileName(this, proposedName(selectedCriterion(), shared_.Texte_Recherche),
                                                  filter, extension.mid(1));
    if (chosen.isEmpty()) {
        showMessage(QStringLiteral("selectionnez un fichier ou quitter"));
        return;
    }
    const QString path = withExtension(chosen, extension);
    // Checked here, where every format passes, whatever name, link or spelling the dialog gave.
    if (const std::optional<ReservedFile> reserved =
            reservedFileAt(toFilesystemPath(platform_.programFolder()), toFilesystemPath(path))) {
        showMessage(QStringLiteral("La liste n'a pas été enregistrée dans le fichier « %1 » : %2\r\n"
                                   "Rien n'a été écrit : choisissez un autre nom.")
                        .arg(QDir::toNativeSeparators(path), reservedFileReason(*reserved)));
        return;
    }

    // Asked here, after the checks and about the name really written.
    const QFileInfo existing(path);
    if ((existing.exists() || existing.isSymLink()) &&
        platform_.showMessage(this,
                              QStringLiteral("Le fichier « %1 » existe déjà.\r\nVoulez-vous le remplacer ?")
                                  .arg(QDir::toNativeSeparators(path)),
                              MessageButtons::YesNo) != MessageAnswer::Yes)
        return;

    const ListBytes list = contents(resultModel_->rows());
    std::optional<QString> failure = list.failure;
    if (!failure)
        failure = platform_.writeFileAtomically(path, list.bytes);
    if (failure)
        showMessage(QStringLiteral("La liste n'a pas été enregistrée dans le fichier « %1 » : %2\r\n"
                                   "Un fichier qui portait déjà ce nom est resté tel quel.")
                        .arg(QDir::toNativeSeparators(path), *failure));
}

void Main::printList()
{
    const QString heading = headingStart(selectedCriterion()) + shared_.Texte_Recherche;
    Printer* printer = platform_.defaultPrinter();
    if (!printer) {
        showMessage(QStringLiteral("Aucune imprimante n'est installée : la liste ne peut pas être imprimée."));
        return;
    }

    std::optional<QString> failure;
    {
        const PrinterFontKeeper keeper(*printer);
        printer->setFontName(kPrintFace);
        // Courier New is thin at 7 points; bold keeps the small print readable.
        printer->setFontBold(true);
        printer->setFontSize(kPrintPoints);
        printer->setPageFoot(QStringLiteral("page %1 / %2"));
        // A line too wide for the paper goes on under the name column, clear of the callsigns.
        printer->setWrapIndent(static_cast<int>(kCallsignColumnWidth));

        printer->printLine(heading);
        printer->printLine(QString());
        printer->proposePdfName(QStringLiteral("Liste Dravelin.pdf"));
        // Cancelling the dialog throws the job away, heading included: nothing reaches the paper.
        if (!platform_.showPrinterDialog(this, *printer)) {
            printer->discardJob();
            return;
        }

        const ResultRows& rows = resultModel_->rows();
        std::string shown;
        for (std::size_t index = 0; index < rows.size(); ++index) {
            shown.clear();
            rows.appendDisplayLine(shown, index);
            printer->printLine(Windows1252::decode(shown));
        }
        printer->printLine(QString());
        printer->printLine(Windows1252::decode(kCreditLine));
        failure = printer->endJob();
    }
    if (failure)
        showMessage(QStringLiteral("La liste n'a pas été imprimée : %1").arg(*failure));
}

} // namespace dravelin
