#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <system_error>

#include "database/list_output.h"
#include "printing/qt_printer.h"
#include "support/directory_fixture.h"
#include "support/python_table.h"

namespace dravelin::test {

namespace {

QByteArray pad(const QByteArray& text, int width)
{
    return text + QByteArray(width - text.size(), ' ');
}

const QByteArray kDirectory = crlfLines({
    "Base Rev 255  du 11/08/2009",
    "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001",
    "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002",
    "F4XYZ;L\xC9VY;H\xE9l\xE8ne;3 all\xE9"
    "e des Pr\xE9s;\xC9VREUX;27000",
    "F1ABC;DURAND;Luc;5 rue C;NICE;06000",
    "F2AA;LISTE ORANGE;;;PARIS;75004",
    "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000",
    "F5QQ;LE \"GRAND\";Jean-Paul;1 rue;SAINT-L\xD4;50000;A",
    "F9FX;=1+1;@SUM(1);-2+3;+33 612;97100",
});

// The result lines as Windows-1252 bytes, as the list shows them.
const QByteArray kDupont = pad("F1ABC", 12) + pad("DUPONT Jean", 40) + "12 rue Haute  75002 PARIS";
const QByteArray kOrange = pad("F2AA", 12) + "EN LISTE ORANGE";
const QByteArray kMartin = pad("F6ZZZ", 12) + pad("MARTIN Paul", 40) + "1 rue A  75001 PARIS";
const QByteArray kDurand = pad("F1ABC", 12) + pad("DURAND Luc", 40) + "5 rue C  06000 NICE";
const QByteArray kLevy = pad("F4XYZ", 12) + pad("L\xC9VY H\xE9l\xE8ne", 40) +
                         "3 all\xE9"
                         "e des Pr\xE9s  27000 \xC9VREUX";

const QByteArray kCredit(kCreditLine.data(), static_cast<qsizetype>(kCreditLine.size()));

QString creditText()
{
    return QString::fromLatin1(kCredit);
}

void choose(MainHarness& main, const char* menuEntry)
{
    auto* action = main.control<QAction>(menuEntry);
    QVERIFY2(action, menuEntry);
    action->trigger();
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// What each file of a folder holds, links shown as where they lead.
QMap<QString, QByteArray> folderContents(const QString& folder)
{
    QMap<QString, QByteArray> contents;
    const QDir dir(folder);
    for (const QFileInfo& info :
         dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot))
        contents.insert(info.fileName(),
                        info.isSymLink() ? "-> " + info.symLinkTarget().toUtf8() : fileBytes(info.filePath()));
    return contents;
}

// The message that refuses a list file which is one of the directory's own files.
QString refusal(const QString& path, const QString& reserved)
{
    QString why;
    if (reserved == QLatin1String("Annuaire_Amat.csv"))
        why = QStringLiteral("ce fichier est l'annuaire « Annuaire_Amat.csv » : la liste le remplacerait en entier.");
    else if (reserved == QLatin1String("Temporaire.txt"))
        why = QStringLiteral(
            "ce fichier est le fichier de travail « Temporaire.txt » de l'annuaire, réservé au programme.");
    else if (reserved == QLatin1String("linked scratch"))
        why =
            QStringLiteral("ce nom est celui des fichiers de travail de l'annuaire à côté du fichier où mène son lien, "
                           "réservé au programme.");
    else
        why = QStringLiteral("ce fichier est le verrou « Annuaire_Amat.lock » de l'annuaire, réservé au programme.");
    return QStringLiteral("La liste n'a pas été enregistrée dans le fichier « %1 » : %2\r\n"
                          "Rien n'a été écrit : choisissez un autre nom.")
        .arg(QDir::toNativeSeparators(path), why);
}

// The program's own question before it replaces a file.
QString replaceQuestion(const QString& path)
{
    return QStringLiteral("Le fichier « %1 » existe déjà.\r\nVoulez-vous le remplacer ?")
        .arg(QDir::toNativeSeparators(path));
}

// A directory of `count` entries in one city, for lists longer than a page.
QByteArray bigDirectory(int count)
{
    QByteArray bytes = "Base Rev 255  du 11/08/2009\r\n";
    for (int index = 0; index < count; ++index)
        bytes += "F" + QByteArray::number(100000 + index) + ";NOM" + QByteArray::number(index) +
                 ";Prenom;1 rue de la Gare;LYON;69001\r\n";
    return bytes;
}

// The rows of an .xlsx file as LibreOffice Calc reads them, then a row of its layout
// (tests/support/xlsx_cells.py).
QList<QStringList> calcRows(const QString& path)
{
    QTemporaryDir scratch;
    return pythonTable(QStringLiteral(DRAVELIN_PYTHON),
                       {QStringLiteral(DRAVELIN_XLSX_CELLS), QStringLiteral(DRAVELIN_SOFFICE), path, scratch.path()});
}

int pdfPageCount(const QByteArray& pdf)
{
    // Each page object carries "/Type /Page"; the page tree carries "/Type /Pages".
    static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(pageObject));
}

} // namespace

class TestMainOutput : public QObject {
    Q_OBJECT

private slots:
    void proposesTheCriterionPrefixAndTheLastQuery_data()
    {
        QTest::addColumn<QString>("searchOption");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("optionAtSave");
        QTest::addColumn<QString>("proposed");

        QTest::newRow("before any search") << ""
                                           << ""
                                           << ""
                                           << "Recherche_indicatif_";
        QTest::newRow("callsign") << "Option1"
                                  << "f1abc"
                                  << ""
                                  << "Recherche_indicatif_F1ABC";
        QTest::newRow("surname") << "Option2"
                                 << "dupont"
                                 << ""
                                 << "Recherche_nom_DUPONT";
        QTest::newRow("city") << "Option3"
                              << "paris"
                              << ""
                              << "Recherche_ville_PARIS";
        QTest::newRow("department") << "Option4"
                                    << "75"
                                    << ""
                                    << "Recherche_departement_75";
        QTest::newRow("criterion changed after the search") << "Option2"
                                                            << "DUPONT"
                                                            << "Option3"
                                                            << "Recherche_ville_DUPONT";
        QTest::newRow("refused query still names the file") << "Option1"
                                                            << "F1ABCDEFGHIJK"
                                                            << ""
                                                            << "Recherche_indicatif_F1ABCDEFGHIJK";
        QTest::newRow("query kept as typed, accents and spaces") << "Option3"
                                                                 << "évreux "
                                                                 << ""
                                                                 << "Recherche_ville_ÉVREUX ";
        QTest::newRow("the star of a prefix query is no file-name character") << "Option3"
                                                                              << "saint*"
                                                                              << ""
                                                                              << "Recherche_ville_SAINT_";
    }
    void proposesTheCriterionPrefixAndTheLastQuery()
    {
        QFETCH(QString, searchOption);
        QFETCH(QString, typed);
        QFETCH(QString, optionAtSave);
        QFETCH(QString, proposed);

        for (const char* entry : {"Mnu_Enregistrer_txt", "Mnu_Enregistrer_csv", "Mnu_Enregistrer_tableur"}) {
            MainHarness main(kDirectory);
            if (!searchOption.isEmpty())
                main.search(qPrintable(searchOption), typed);
            if (!optionAtSave.isEmpty())
                QTest::mouseClick(main.control<QWidget>(qPrintable(optionAtSave)), Qt::LeftButton);
            main.platform.messages.clear();

            choose(main, entry);
            QCOMPARE(main.platform.saveDialogs.size(), std::size_t{1});
            QCOMPARE(main.platform.saveDialogs[0].proposedName, proposed);
            const QString format = QString::fromLatin1(entry).section(QLatin1Char('_'), -1);
            const QString extension = format == QLatin1String("tableur") ? QStringLiteral("xlsx") : format;
            QCOMPARE(main.platform.saveDialogs[0].filter, QStringLiteral(".%1 |*.%1").arg(extension));
            // Only the spreadsheet save adds an extension to the name chosen.
            QCOMPARE(main.platform.saveDialogs[0].defaultSuffix,
                     format == QLatin1String("tableur") ? extension : QString());
        }
    }

    void writesTheWholeFileInWindows1252WithCrLf_data()
    {
        QTest::addColumn<QString>("menuEntry");
        QTest::addColumn<QString>("searchOption");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("txt: city with an orange-list line")
            << "Mnu_Enregistrer_txt"
            << "Option3"
            << "PARIS" << crlfLines({kDupont, kOrange, kMartin, kCredit});
        QTest::newRow("csv: city with an orange-list line")
            << "Mnu_Enregistrer_csv"
            << "Option3"
            << "PARIS"
            << crlfLines({"F1ABC;DUPONT Jean;12 rue Haute  75002 PARIS", "F2AA;EN LISTE ORANGE;",
                          "F6ZZZ;MARTIN Paul;1 rue A  75001 PARIS", kCredit});
        QTest::newRow("txt: accented letters as single bytes") << "Mnu_Enregistrer_txt"
                                                               << "Option3"
                                                               << "Évreux" << crlfLines({kLevy, kCredit});
        QTest::newRow("csv: accented letters as single bytes") << "Mnu_Enregistrer_csv"
                                                               << "Option3"
                                                               << "Évreux"
                                                               << crlfLines({"F4XYZ;L\xC9VY H\xE9l\xE8ne;3 all\xE9"
                                                                             "e des Pr\xE9s  27000 \xC9VREUX",
                                                                             kCredit});
        QTest::newRow("txt: before any search") << "Mnu_Enregistrer_txt"
                                                << ""
                                                << "" << crlfLines({kCredit});
        QTest::newRow("csv: before any search") << "Mnu_Enregistrer_csv"
                                                << ""
                                                << "" << crlfLines({kCredit});
        QTest::newRow("txt: search without result") << "Mnu_Enregistrer_txt"
                                                    << "Option3"
                                                    << "PAR" << crlfLines({kCredit});
        QTest::newRow("csv: callsign on two lines") << "Mnu_Enregistrer_csv"
                                                    << "Option1"
                                                    << "F1ABC"
                                                    << crlfLines({"F1ABC;DUPONT Jean;12 rue Haute  75002 PARIS",
                                                                  "F1ABC;DURAND Luc;5 rue C  06000 NICE", kCredit});
    }
    void writesTheWholeFileInWindows1252WithCrLf()
    {
        QFETCH(QString, menuEntry);
        QFETCH(QString, searchOption);
        QFETCH(QString, typed);
        QFETCH(QByteArray, expected);

        MainHarness main(kDirectory);
        if (!searchOption.isEmpty())
            main.search(qPrintable(searchOption), typed);
        const QStringList shown = main.listLines();
        main.platform.messages.clear();
        // Accepting the proposed name as it is: no extension is added.
        const QString path = QDir(main.folder.path()).filePath(QStringLiteral("Recherche_resultat"));
        main.platform.savePaths.push_back(path);

        choose(main, qPrintable(menuEntry));
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(main.platform.filesWritten, QStringList{path});
        QVERIFY(main.platform.messages.empty());
        QCOMPARE(main.listLines(), shown);
    }

    void spreadsheetSaveIsReadBackCellByCell_data()
    {
        QTest::addColumn<QString>("searchOption");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosenName");
        QTest::addColumn<QString>("writtenName");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QString>("proposed");

        const QStringList heading{"Indicatif", "Nom", "Prénom", "Adresse", "Code postal", "Ville"};
        QTest::newRow("city with an orange-list line")
            << "Option3"
            << "PARIS"
            << "Recherche_ville_PARIS"
            << "Recherche_ville_PARIS.xlsx"
            << QList<QStringList>{heading,
                                  {"F1ABC", "DUPONT", "Jean", "12 rue Haute", "75002", "PARIS"},
                                  {"F2AA", "EN LISTE ORANGE", "", "", "", ""},
                                  {"F6ZZZ", "MARTIN", "Paul", "1 rue A", "75001", "PARIS"}}
            << "Recherche_ville_PARIS";
        QTest::newRow("accented letters")
            << "Option3"
            << "évreux"
            << "liste.XLSX"
            << "liste.XLSX"
            << QList<QStringList>{heading, {"F4XYZ", "LÉVY", "Hélène", "3 allée des Prés", "27000", "ÉVREUX"}}
            << "Recherche_ville_ÉVREUX";
        QTest::newRow("postcode keeps its leading zero")
            << "Option4"
            << "01"
            << "liste.txt"
            << "liste.txt.xlsx"
            << QList<QStringList>{heading, {"F8BRG", "BOURG", "Marc", "2 place D", "01000", "BOURG EN BRESSE"}}
            << "Recherche_departement_01";
        QTest::newRow("quotes and separators in cells")
            << "Option2"
            << "le \"grand\""
            << "liste"
            << "liste.xlsx"
            << QList<QStringList>{heading, {"F5QQ", "LE \"GRAND\"", "Jean-Paul", "1 rue", "50000;A", "SAINT-LÔ"}}
            << "Recherche_nom_LE \"GRAND\"";
        QTest::newRow("formulas and signs stay text")
            << "Option1"
            << "F9FX"
            << "liste"
            << "liste.xlsx" << QList<QStringList>{heading, {"F9FX", "=1+1", "@SUM(1)", "-2+3", "97100", "+33 612"}}
            << "Recherche_indicatif_F9FX";
        QTest::newRow("a name holding a dot gets its extension")
            << "Option3"
            << "évreux"
            << "Recherche_ville_ST.DENIS"
            << "Recherche_ville_ST.DENIS.xlsx"
            << QList<QStringList>{heading, {"F4XYZ", "LÉVY", "Hélène", "3 allée des Prés", "27000", "ÉVREUX"}}
            << "Recherche_ville_ÉVREUX";
        QTest::newRow("before any search, the heading row alone")
            << ""
            << ""
            << "Recherche_ville_ST. ETIENNE"
            << "Recherche_ville_ST. ETIENNE.xlsx" << QList<QStringList>{heading} << "Recherche_indicatif_";
    }
    void spreadsheetSaveIsReadBackCellByCell()
    {
        QFETCH(QString, searchOption);
        QFETCH(QString, typed);
        QFETCH(QString, chosenName);
        QFETCH(QString, writtenName);
        QFETCH(QList<QStringList>, rows);
        QFETCH(QString, proposed);

        MainHarness main(kDirectory);
        if (!searchOption.isEmpty())
            main.search(qPrintable(searchOption), typed);
        main.platform.messages.clear();
        const QDir folder(main.folder.path());
        main.platform.savePaths.push_back(folder.filePath(chosenName));

        choose(main, "Mnu_Enregistrer_tableur");
        QCOMPARE(main.platform.messageTexts(), QStringList());
        QCOMPARE(main.platform.saveDialogs.size(), std::size_t{1});
        QCOMPARE(main.platform.saveDialogs[0].proposedName, proposed);
        QCOMPARE(main.platform.saveDialogs[0].filter, QStringLiteral(".xlsx |*.xlsx"));
        QCOMPARE(main.platform.saveDialogs[0].defaultSuffix, QStringLiteral("xlsx"));
        const QString written = folder.filePath(writtenName);
        QCOMPARE(main.platform.filesWritten, QStringList{written});
        QVERIFY(fileBytes(written).startsWith("PK"));

        // Every cell is the text it should be, as Calc reads it: none became a number or a formula.
        QList<QStringList> read = calcRows(written);
        QVERIFY2(!read.isEmpty(), "Calc read nothing");
        const QStringList layout = read.takeLast();
        QCOMPARE(read, rows);
        // The heading row bold and frozen, an autofilter over the list, columns wide enough.
        QCOMPARE(layout.mid(0, 4), (QStringList{"layout", "1", QStringLiteral("A1:F%1").arg(rows.size()), "bold"}));
        QCOMPARE(layout.size(), 4 + 6);
        for (int column = 0; column < 6; ++column) {
            qsizetype longest = 0;
            for (const QStringList& row : rows)
                longest = std::max(longest, row[column].size());
            QVERIFY2(layout[4 + column].toDouble() >= static_cast<double>(longest),
                     qPrintable(layout.join(QLatin1Char(' '))));
        }
    }

    void savingAgainReplacesTheEarlierFile()
    {
        MainHarness main(kDirectory);
        const QString path = QDir(main.folder.path()).filePath(QStringLiteral("liste.txt"));
        writeFile(path, QByteArray(5000, 'x'));

        main.search("Option3", QStringLiteral("PARIS"));
        main.platform.savePaths.push_back(path);
        main.platform.answers.push_back(MessageAnswer::Yes);
        choose(main, "Mnu_Enregistrer_txt");
        main.search("Option3", QStringLiteral("NICE"));
        main.platform.savePaths.push_back(path);
        main.platform.answers.push_back(MessageAnswer::Yes);
        choose(main, "Mnu_Enregistrer_txt");

        QCOMPARE(fileBytes(path), crlfLines({kDurand, kCredit}));
    }

    // The program asks before replacing a file, about the name it writes, and only then.
    void aFileIsReplacedOnlyWhenTheUserSaysSo_data()
    {
        QTest::addColumn<QString>("menuEntry");
        QTest::addColumn<QString>("existing"); // the file already there
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("yes");

        QTest::newRow("txt, replaced") << "Mnu_Enregistrer_txt"
                                       << "liste.txt"
                                       << "liste.txt"
                                       << "liste.txt" << true << true;
        QTest::newRow("txt, kept") << "Mnu_Enregistrer_txt"
                                   << "liste.txt"
                                   << "liste.txt"
                                   << "liste.txt" << true << false;
        QTest::newRow("csv, kept") << "Mnu_Enregistrer_csv"
                                   << "liste.csv"
                                   << "liste.csv"
                                   << "liste.csv" << true << false;
        QTest::newRow("tableur, the name with its extension, replaced") << "Mnu_Enregistrer_tableur"
                                                                        << "ST.DENIS.xlsx"
                                                                        << "ST.DENIS"
                                                                        << "ST.DENIS.xlsx" << true << true;
        QTest::newRow("tableur, the name with its extension, kept") << "Mnu_Enregistrer_tableur"
                                                                    << "liste.xlsx"
                                                                    << "liste"
                                                                    << "liste.xlsx" << true << false;
        QTest::newRow("tableur, a file of the typed name alone is not the one written")
            << "Mnu_Enregistrer_tableur"
            << "ST.DENIS"
            << "ST.DENIS"
            << "ST.DENIS.xlsx" << false << false;
    }
    void aFileIsReplacedOnlyWhenTheUserSaysSo()
    {
        QFETCH(QString, menuEntry);
        QFETCH(QString, existing);
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(bool, asked);
        QFETCH(bool, yes);

        MainHarness main(kDirectory);
        const QDir folder(main.folder.path());
        const QByteArray earlier = "earlier list\r\n";
        writeFile(folder.filePath(existing), earlier);
        main.search("Option3", QStringLiteral("PARIS"));
        main.platform.messages.clear();
        main.platform.savePaths.push_back(folder.filePath(chosen));
        main.platform.answers.push_back(yes ? MessageAnswer::Yes : MessageAnswer::No);

        choose(main, qPrintable(menuEntry));
        const QString path = folder.filePath(written);
        QCOMPARE(main.platform.messageTexts(), asked ? QStringList{replaceQuestion(path)} : QStringList{});
        if (asked)
            QCOMPARE(main.platform.messages[0].buttons, MessageButtons::YesNo);
        const bool replaced = !asked || yes;
        QCOMPARE(main.platform.filesWritten, replaced ? QStringList{path} : QStringList{});
        QCOMPARE(fileBytes(path) == earlier, !replaced);
        QCOMPARE(fileBytes(folder.filePath(existing)) == earlier, existing != written || !replaced);
    }

    void leavingTheDialogWithoutANameWritesNothing_data()
    {
        QTest::addColumn<QString>("menuEntry");
        QTest::newRow("txt") << "Mnu_Enregistrer_txt";
        QTest::newRow("csv") << "Mnu_Enregistrer_csv";
        QTest::newRow("tableur") << "Mnu_Enregistrer_tableur";
    }
    void leavingTheDialogWithoutANameWritesNothing()
    {
        QFETCH(QString, menuEntry);
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        const QStringList before = QDir(main.folder.path()).entryList(QDir::Files);

        choose(main, qPrintable(menuEntry));
        QCOMPARE(main.platform.saveDialogs.size(), std::size_t{1});
        QCOMPARE(main.platform.messageTexts(), QStringList{"selectionnez un fichier ou quitter"});
        QVERIFY(main.platform.filesWritten.isEmpty());
        QCOMPARE(QDir(main.folder.path()).entryList(QDir::Files), before);
        QCOMPARE(main.listLines().size(), 3);
    }

    void aFailedWriteIsToldAndKeepsTheEarlierFile_data()
    {
        QTest::addColumn<QString>("menuEntry");
        QTest::newRow("txt") << "Mnu_Enregistrer_txt";
        QTest::newRow("csv") << "Mnu_Enregistrer_csv";
        QTest::newRow("tableur") << "Mnu_Enregistrer_tableur";
    }
    void aFailedWriteIsToldAndKeepsTheEarlierFile()
    {
        QFETCH(QString, menuEntry);
        MainHarness main(kDirectory);
        const QString path = QDir(main.folder.path())
                                 .filePath(menuEntry.endsWith(QLatin1String("tableur")) ? QStringLiteral("liste.xlsx")
                                                                                        : QStringLiteral("liste.txt"));
        writeFile(path, "earlier list\r\n");
        main.search("Option3", QStringLiteral("PARIS"));
        main.platform.messages.clear();
        main.platform.savePaths.push_back(path);
        main.platform.answers.push_back(MessageAnswer::Yes);
        main.platform.writeFailure = QStringLiteral("l'écriture a échoué (disque plein ou support retiré ?).");

        choose(main, qPrintable(menuEntry));
        const QString failure = QStringLiteral("La liste n'a pas été enregistrée dans le fichier « %1 » : "
                                               "l'écriture a échoué (disque plein ou support retiré ?).\r\n"
                                               "Un fichier qui portait déjà ce nom est resté tel quel.")
                                    .arg(QDir::toNativeSeparators(path));
        QCOMPARE(main.platform.messageTexts(), (QStringList{replaceQuestion(path), failure}));
        QCOMPARE(fileBytes(path), QByteArray("earlier list\r\n"));

        // The window goes on working: the next search and the next save succeed.
        main.platform.writeFailure.reset();
        main.search("Option3", QStringLiteral("NICE"));
        main.platform.savePaths.push_back(path);
        main.platform.answers.push_back(MessageAnswer::Yes);
        choose(main, "Mnu_Enregistrer_txt");
        QCOMPARE(fileBytes(path), crlfLines({kDurand, kCredit}));
    }

    void theDirectorysOwnFilesAreNeverWrittenOver_data()
    {
        // {folder}: the program folder, {name}: its own name, {elsewhere}: another folder.
        QTest::addColumn<QString>("chosen"); // the name given back by the save dialog
        QTest::addColumn<QString>("link");   // "", "symbolic" or "hard": linkAt then leads to linkTo
        QTest::addColumn<QString>("linkAt");
        QTest::addColumn<QString>("linkTo");
        QTest::addColumn<QString>("existing");     // a copy of the directory file made before the save
        QTest::addColumn<bool>("directoryLinked"); // Annuaire_Amat.csv leads to {elsewhere}/annuaire_reel.csv
        QTest::addColumn<QString>("refusedAs");    // the file named in the message; empty: the list is written

        const QString directory = QStringLiteral("Annuaire_Amat.csv");
        const QString scratch = QStringLiteral("Temporaire.txt");
        const QString lock = QStringLiteral("Annuaire_Amat.lock");
        QTest::newRow("the directory file") << "{folder}/Annuaire_Amat.csv"
                                            << ""
                                            << ""
                                            << ""
                                            << "" << false << directory;
        QTest::newRow("the directory file by another spelling") << "{folder}/../{name}/./Annuaire_Amat.csv"
                                                                << ""
                                                                << ""
                                                                << ""
                                                                << "" << false << directory;
        QTest::newRow("a symbolic link to the directory file") << "{elsewhere}/liste.csv"
                                                               << "symbolic"
                                                               << "{elsewhere}/liste.csv"
                                                               << "{folder}/Annuaire_Amat.csv"
                                                               << "" << false << directory;
        QTest::newRow("a hard link to the directory file") << "{elsewhere}/liste.csv"
                                                           << "hard"
                                                           << "{elsewhere}/liste.csv"
                                                           << "{folder}/Annuaire_Amat.csv"
                                                           << "" << false << directory;
        QTest::newRow("the directory file through a linked folder") << "{elsewhere}/dossier/Annuaire_Amat.csv"
                                                                    << "symbolic"
                                                                    << "{elsewhere}/dossier"
                                                                    << "{folder}"
                                                                    << "" << false << directory;
        QTest::newRow("Temporaire.txt, not there") << "{folder}/Temporaire.txt"
                                                   << ""
                                                   << ""
                                                   << ""
                                                   << "" << false << scratch;
        QTest::newRow("Temporaire.txt, left over") << "{folder}/Temporaire.txt"
                                                   << ""
                                                   << ""
                                                   << ""
                                                   << "{folder}/Temporaire.txt" << false << scratch;
        QTest::newRow("Temporaire.txt in other capitals") << "{folder}/TEMPORAIRE.TXT"
                                                          << ""
                                                          << ""
                                                          << ""
                                                          << "" << false << scratch;
        QTest::newRow("a link to Temporaire.txt, not there") << "{elsewhere}/liste.txt"
                                                             << "symbolic"
                                                             << "{elsewhere}/liste.txt"
                                                             << "{folder}/Temporaire.txt"
                                                             << "" << false << scratch;
        QTest::newRow("the lock file, not there") << "{folder}/Annuaire_Amat.lock"
                                                  << ""
                                                  << ""
                                                  << ""
                                                  << "" << false << lock;
        QTest::newRow("the lock file, left over") << "{folder}/../{name}/Annuaire_Amat.lock"
                                                  << ""
                                                  << ""
                                                  << ""
                                                  << "{folder}/Annuaire_Amat.lock" << false << lock;
        QTest::newRow("the file a linked directory file leads to") << "{elsewhere}/annuaire_reel.csv"
                                                                   << ""
                                                                   << ""
                                                                   << ""
                                                                   << "" << true << directory;
        // There the scratch files bear a name of the program's own; a Temporaire.txt is the user's.
        QTest::newRow("Temporaire.txt beside the file a linked directory file leads to")
            << "{elsewhere}/Temporaire.txt"
            << ""
            << ""
            << ""
            << "{elsewhere}/Temporaire.txt" << true << "";
        QTest::newRow("a scratch name beside the file a linked directory file leads to")
            << "{elsewhere}/.annuaire_reel.csv.Ab12Cd.tmp"
            << ""
            << ""
            << ""
            << "" << true << "linked scratch";
        QTest::newRow("a scratch name beside the file a linked directory file leads to, left over")
            << "{elsewhere}/.annuaire_reel.csv.Ab12Cd.tmp"
            << ""
            << ""
            << ""
            << "{elsewhere}/.annuaire_reel.csv.Ab12Cd.tmp" << true << "linked scratch";
        QTest::newRow("a name near the scratch pattern beside the file a linked directory file leads to")
            << "{elsewhere}/.annuaire_reel.csv.Ab12C.tmp"
            << ""
            << ""
            << ""
            << "" << true << "";
        QTest::newRow("the lock beside the file a linked directory file leads to") << "{elsewhere}/Annuaire_Amat.lock"
                                                                                   << ""
                                                                                   << ""
                                                                                   << ""
                                                                                   << "" << true << lock;
        QTest::newRow("the directory's name in another folder") << "{elsewhere}/Annuaire_Amat.csv"
                                                                << ""
                                                                << ""
                                                                << ""
                                                                << "{elsewhere}/Annuaire_Amat.csv" << false << "";
        QTest::newRow("a name that begins like the directory's") << "{folder}/Annuaire_Amat.csv.txt"
                                                                 << ""
                                                                 << ""
                                                                 << ""
                                                                 << "" << false << "";
        QTest::newRow("a copy of the directory file") << "{elsewhere}/copie.csv"
                                                      << ""
                                                      << ""
                                                      << ""
                                                      << "{elsewhere}/copie.csv" << false << "";
    }
    void theDirectorysOwnFilesAreNeverWrittenOver()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, link);
        QFETCH(QString, linkAt);
        QFETCH(QString, linkTo);
        QFETCH(QString, existing);
        QFETCH(bool, directoryLinked);
        QFETCH(QString, refusedAs);

        for (const char* entry : {"Mnu_Enregistrer_txt", "Mnu_Enregistrer_csv"}) {
            MainHarness main(kDirectory);
            QTemporaryDir elsewhere;
            const auto place = [&](QString path) {
                return path.replace(QLatin1String("{folder}"), main.folder.path())
                    .replace(QLatin1String("{name}"), QDir(main.folder.path()).dirName())
                    .replace(QLatin1String("{elsewhere}"), elsewhere.path());
            };
            main.search("Option3", QStringLiteral("PARIS"));
            main.platform.messages.clear();
            if (directoryLinked) {
                const QString real = QDir(elsewhere.path()).filePath(QStringLiteral("annuaire_reel.csv"));
                QVERIFY(QFile::rename(main.folder.directoryFile(), real));
                if (!QFile::link(real, main.folder.directoryFile()))
                    QSKIP("no symbolic links here");
            }
            if (!existing.isEmpty())
                writeFile(place(existing), kDirectory);
            if (!link.isEmpty()) {
                std::error_code error;
                if (link == QLatin1String("hard"))
                    std::filesystem::create_hard_link(toFilesystemPath(place(linkTo)), toFilesystemPath(place(linkAt)),
                                                      error);
                else
                    std::filesystem::create_symlink(toFilesystemPath(place(linkTo)), toFilesystemPath(place(linkAt)),
                                                    error);
                if (error)
                    QSKIP("no links of that kind here");
            }
            const QMap<QString, QByteArray> folderBefore = folderContents(main.folder.path());
            const QMap<QString, QByteArray> elsewhereBefore = folderContents(elsewhere.path());
            const QString path = place(chosen);
            main.platform.savePaths.push_back(path);
            main.platform.answers.push_back(MessageAnswer::Yes);

            choose(main, entry);
            QCOMPARE(main.folder.directoryBytes(), kDirectory);
            QCOMPARE(main.listLines().size(), 3);
            if (refusedAs.isEmpty()) {
                // A file of that name was there: the user was asked before it was replaced.
                QCOMPARE(main.platform.messageTexts(),
                         existing.isEmpty() ? QStringList() : QStringList{replaceQuestion(path)});
                QCOMPARE(main.platform.filesWritten, QStringList{path});
                QVERIFY(fileBytes(path).endsWith(kCredit + "\r\n"));
                continue;
            }
            // Refused at once: no question about replacing the file comes first.
            QCOMPARE(main.platform.messageTexts(), QStringList{refusal(path, refusedAs)});
            QVERIFY(main.platform.filesWritten.isEmpty());
            // Nothing written, created or removed, through a link or otherwise.
            QCOMPARE(folderContents(main.folder.path()), folderBefore);
            QCOMPARE(folderContents(elsewhere.path()), elsewhereBefore);
        }
    }

    void aFileInAMissingFolderIsToldNotPassedOff()
    {
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        const QString missingFolder = QDir(main.folder.path()).filePath(QStringLiteral("absent"));
        main.platform.savePaths.push_back(QDir(missingFolder).filePath(QStringLiteral("liste.csv")));

        choose(main, "Mnu_Enregistrer_csv");
        QCOMPARE(main.platform.messages.size(), std::size_t{1});
        const QString message = main.platform.messages[0].text;
        QVERIFY2(message.startsWith(QStringLiteral("La liste n'a pas été enregistrée")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("n'existe pas")), qPrintable(message));
        QVERIFY(!QDir(missingFolder).exists());
        QVERIFY(main.platform.filesWritten.isEmpty());
    }

    void printsHeadingListAndCreditInCourierNew_data()
    {
        QTest::addColumn<QString>("searchOption");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("optionAtPrint");
        QTest::addColumn<QStringList>("listed");

        const QString dupont = QString::fromLatin1(kDupont);
        const QString orange = QString::fromLatin1(kOrange);
        const QString martin = QString::fromLatin1(kMartin);
        QTest::newRow("city with an orange-list line") << "Option3"
                                                       << "PARIS"
                                                       << "" << QStringList{dupont, orange, martin};
        QTest::newRow("callsign") << "Option1"
                                  << "F6ZZZ"
                                  << "" << QStringList{martin};
        QTest::newRow("surname") << "Option2"
                                 << "DUPONT"
                                 << "" << QStringList{dupont};
        QTest::newRow("department") << "Option4"
                                    << "27"
                                    << "" << QStringList{QString::fromLatin1(kLevy)};
        QTest::newRow("empty list before any search") << ""
                                                      << ""
                                                      << "" << QStringList{};
        QTest::newRow("criterion changed after the search") << "Option2"
                                                            << "DUPONT"
                                                            << "Option4" << QStringList{dupont};
    }
    void printsHeadingListAndCreditInCourierNew()
    {
        QFETCH(QString, searchOption);
        QFETCH(QString, typed);
        QFETCH(QString, optionAtPrint);
        QFETCH(QStringList, listed);

        MainHarness main(kDirectory);
        if (!searchOption.isEmpty())
            main.search(qPrintable(searchOption), typed);
        if (!optionAtPrint.isEmpty())
            QTest::mouseClick(main.control<QWidget>(qPrintable(optionAtPrint)), Qt::LeftButton);
        main.platform.messages.clear();
        ScriptedPrinter& printer = main.platform.scriptedPrinter();
        printer.setFontName(QStringLiteral("Times New Roman"));
        printer.setFontSize(12);

        choose(main, "Mnu_Imprimer");

        const QString option =
            optionAtPrint.isEmpty() ? (searchOption.isEmpty() ? "Option1" : searchOption) : optionAtPrint;
        const QString start = option == "Option1"   ? "Indicatif "
                              : option == "Option2" ? "Nom "
                              : option == "Option3" ? "Ville "
                                                    : "Departement ";
        const QString heading = start + main.shared.Texte_Recherche;
        QCOMPARE(main.platform.printerDialogs, (std::vector<QStringList>{{heading, QString()}}));
        QCOMPARE(printer.proposedPdfNames, QStringList{"Liste Dravelin.pdf"});
        QCOMPARE(printer.printed.size(), std::size_t{1});
        const QStringList expected = QStringList{heading, QString()} + listed + QStringList{QString(), creditText()};
        QCOMPARE(ScriptedPrinter::texts(printer.printed[0]), expected);
        for (const ScriptedPrinter::Line& line : printer.printed[0]) {
            QCOMPARE(line.fontName, QStringLiteral("Courier New"));
            QCOMPARE(line.fontSize, 7.0f);
            QVERIFY(line.bold);
        }
        QCOMPARE(printer.printedPageFeet, QStringList{"page %1 / %2"});
        // A line too wide for the paper goes on under the name column.
        QCOMPARE(printer.printedWrapIndents, std::vector<int>{12});
        QVERIFY(printer.openJob.empty());
        QVERIFY(printer.discarded.empty());
        QCOMPARE(printer.fontName(), QStringLiteral("Times New Roman"));
        QCOMPARE(printer.fontSize(), 12.0f);
        QVERIFY(!printer.fontBold());
        QVERIFY(main.platform.messages.empty());
    }

    void cancellingThePrinterDialogPrintsNothing()
    {
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        main.platform.messages.clear();
        main.platform.printerDialogAnswers.push_back(false);
        ScriptedPrinter& printer = main.platform.scriptedPrinter();

        choose(main, "Mnu_Imprimer");
        QVERIFY(printer.printed.empty());
        QVERIFY(printer.openJob.empty());
        QCOMPARE(printer.discarded.size(), std::size_t{1});
        QCOMPARE(ScriptedPrinter::texts(printer.discarded[0]), (QStringList{"Ville PARIS", ""}));
        QCOMPARE(printer.fontName(), QStringLiteral("Arial"));
        QCOMPARE(printer.fontSize(), 10.0f);
        QVERIFY(!printer.fontBold());
        QVERIFY(main.platform.messages.empty());

        // The next print goes through whole, without a leftover of the cancelled one.
        choose(main, "Mnu_Imprimer");
        QCOMPARE(printer.printed.size(), std::size_t{1});
        QCOMPARE(printer.printed[0].size(), std::size_t{7});
    }

    void aMissingPrinterIsTold()
    {
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        main.platform.messages.clear();
        main.platform.printer.reset();

        choose(main, "Mnu_Imprimer");
        QCOMPARE(main.platform.messageTexts(),
                 QStringList{"Aucune imprimante n'est installée : la liste ne peut pas être imprimée."});
        QVERIFY(main.platform.printerDialogs.empty());
        QCOMPARE(main.listLines().size(), 3);
    }

    void aPrinterThatRefusesTheJobIsTold()
    {
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        main.platform.messages.clear();
        ScriptedPrinter& printer = main.platform.scriptedPrinter();
        printer.endFailure = QStringLiteral("l'imprimante « Bureau » n'accepte pas le document.");

        choose(main, "Mnu_Imprimer");
        QCOMPARE(main.platform.messageTexts(),
                 QStringList{"La liste n'a pas été imprimée : l'imprimante « Bureau » n'accepte pas le document."});
        QVERIFY(printer.printed.empty());
        QCOMPARE(printer.fontName(), QStringLiteral("Arial"));
    }

    void aLongListRunsOverSeveralPagesOfARealPrinter()
    {
        MainHarness main(bigDirectory(400));
        main.search("Option3", QStringLiteral("LYON"));
        QCOMPARE(main.listLines().size(), 400);
        QTemporaryDir outFolder;
        const QString pdf = outFolder.filePath(QStringLiteral("liste.pdf"));
        main.platform.printer = std::make_unique<QtPrinter>(pdf);
        const QString faceBefore = main.platform.printer->fontName();
        const float sizeBefore = main.platform.printer->fontSize();
        main.platform.messages.clear();

        choose(main, "Mnu_Imprimer");
        QVERIFY(main.platform.messages.empty());
        const QByteArray bytes = fileBytes(pdf);
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY2(pdfPageCount(bytes) > 1, qPrintable(QString::number(pdfPageCount(bytes))));
        // The printer's own font settings are back as they were.
        QCOMPARE(main.platform.printer->fontName(), faceBefore);
        QCOMPARE(main.platform.printer->fontSize(), sizeBefore);
        QVERIFY(!main.platform.printer->fontBold());
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestMainOutput)
#include "test_main_output.moc"
