#include "main_window/main_window.h"

#include <QAction>
#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include "database/reserved_files.h"
#include "main_window/result_list_model.h"
#include "platform/platform.h"
#include "shared/sous_programmes.h"
#include "widgets/windows1252_text.h"

namespace dravelin {

namespace {

const QString kTextFilter = QStringLiteral(".txt |*.txt");
const QString kCsvFilter = QStringLiteral(".csv |*.csv");

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
        return QStringLiteral("ce fichier est le fichier de travail « Temporaire.txt » de l'annuaire, réservé au programme.");
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
        return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    };
}

// A chosen name without an extension gets one. What follows the last "." counts as an
// extension only when it holds no space: "Recherche_ville_ST. ETIENNE" has none.
QString withExtension(const QString& path, const QString& extension)
{
    const QString suffix = QFileInfo(path).suffix();
    if (extension.isEmpty() || (!suffix.isEmpty() && !suffix.contains(QLatin1Char(' '))))
        return path;
    return path + extension;
}

} // namespace

void Main::connectOutputMenus()
{
    connect(Mnu_Enregistrer_txt, &QAction::triggered, this, [this] { saveList(kTextFilter, windows1252Lines(appendTextLine)); });
    connect(Mnu_Enregistrer_csv, &QAction::triggered, this, [this] { saveList(kCsvFilter, windows1252Lines(appendCsvLine)); });
    // UTF-8 with its byte-order mark: what spreadsheets take for UTF-8 without asking.
    connect(Mnu_Enregistrer_tableur, &QAction::triggered, this, [this] {
        saveList(kCsvFilter,
                 [](const ResultRows& rows) { return "\xEF\xBB\xBF" + Windows1252::decode(spreadsheetOutput(rows)).toUtf8(); },
                 QStringLiteral(".csv"));
    });
    connect(Mnu_Imprimer, &QAction::triggered, this, &Main::printList);
}

void Main::saveList(const QString& filter, const ListContents& contents, const QString& extension)
{
    const QString chosen =
        platform_.saveFileName(this, proposedName(selectedCriterion(), shared_.Texte_Recherche), filter);
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

    const std::optional<QString> failure = platform_.writeFileAtomically(path, contents(resultModel_->rows()));
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

        printer->printLine(heading);
        printer->printLine(QString());
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
