#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "support/editing_fixture.h"
#include "support/file_faults.h"
#include "widgets/colours.h"
#include "widgets/typing_line_edit.h"

namespace dravelin::test {

namespace {

const QByteArray kRevision = "Base Rev 255  du 11/08/2009";
const QByteArray kMartin = "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001";
const QByteArray kDupont = "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002";
const QByteArray kDurand = "F1ABC;DURAND;Luc;5 rue C;NICE;06000";
const QByteArray kMarked = "F5XYCET INDICATIF EST ATTRIBUE MAIS;N'EST PAS PUBLIABLE;Eve;3 rue D;PARIS;69002";
const QByteArray kBourg = "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000";
const QByteArray kNew = "F1NEW;NOUVEAU;JEAN;1 RUE B;LYON;69001";
const QStringList kNewFields = {"f1new", "nouveau", "jean", "1 rue b", "lyon", "69001"};
const QStringList kChangedFields = {"F1ABC", "DUPONT", "Jean", "14 rue basse", "PARIS", "75002"};
const QByteArray kChanged = "F1ABC;DUPONT;JEAN;14 RUE BASSE;PARIS;75002";

// A directory with a line feed alone and an empty line, which every rewrite ends with CR LF.
QByteArray directory(const QByteArray& revision = kRevision)
{
    return revision + "\r\n" + kMartin + "\r\n" + kDupont + "\n\r\n" + kDurand + "\r\n" + kMarked + "\r\n" + kBourg +
           "\r\n";
}

const QColor kOpen(192, 255, 192);

bool scratchFileExists(const MainHarness& main)
{
    return QFile::exists(QDir(main.folder.path()).filePath(QStringLiteral("Temporaire.txt")));
}

const QString kUnchanged = QStringLiteral("\r\nLe fichier de l'annuaire est resté tel qu'il était.");

// Gives the file to the system's user and group 1, which only the super-user may do.
bool giveToAnotherOwner(const std::filesystem::path& file)
{
#ifdef _WIN32
    Q_UNUSED(file);
    return false;
#else
    return ::chown(file.c_str(), 1, 1) == 0;
#endif
}

} // namespace

class TestRecordOperations : public QObject {
    Q_OBJECT

private slots:
    void supprimerDeletesEveryLineOfTheKey()
    {
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F1ABC"));
        main.platform.pendingEventPasses = 0;
        editing.click("Supprimer");

        QCOMPARE(main.folder.directoryBytes(), crlfLines({kRevision, kMartin, "", kMarked, kBourg}));
        QVERIFY(!scratchFileExists(main));
        QCOMPARE(main.platform.pendingEventPasses, 1);
        QVERIFY(main.platform.messages.empty());
        QCOMPARE(editing.boxTexts(), QStringList(6, QString()));
        QVERIFY(main.listLines().isEmpty());
        QVERIFY(editing.control<QPushButton>("Quitter")->hasFocus());
        QVERIFY(!main.shared.editor.modified());
        // A delete alone leads to no revision prompt.
        editing.click("Quitter");
        QVERIFY(main.platform.messages.empty());
        QVERIFY(!editing.window()->isVisible());
    }

    void operationsOnAKeyThatNamesNoLineSaySo_data()
    {
        QTest::addColumn<bool>("modify");
        QTest::addColumn<QString>("message");
        QTest::newRow("delete") << false
                                << "Aucune entrée de l'annuaire ne porte l'indicatif « F5XY » : rien n'a été supprimé.";
        QTest::newRow("modifying save") << true
                                        << "Aucune entrée de l'annuaire ne porte l'indicatif « F5XY » : l'entrée à "
                                           "modifier n'a pas été trouvée et rien n'a été enregistré.";
    }
    void operationsOnAKeyThatNamesNoLineSaySo()
    {
        // The callsign field holds the orange-list marker: shown, but never matched.
        QFETCH(bool, modify);
        QFETCH(QString, message);
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F5XY"));
        QCOMPARE(editing.box("Ind_B")->text(), QStringLiteral("F5XY"));
        const QStringList typed = {"F5XY", "NOUVEAU", "EVE", "3 RUE D", "PARIS", "69002"};
        if (modify) {
            editing.click("Modifier");
            editing.walk(typed);
            editing.click("Enregistrer");
        } else {
            editing.click("Supprimer");
        }
        QCOMPARE(main.platform.messageTexts(), QStringList{message});
        QCOMPARE(main.folder.directoryBytes(), directory()); // not even the line ends changed
        QVERIFY(!scratchFileExists(main));
        QVERIFY(!main.shared.editor.modified());
        if (modify) {
            QCOMPARE(editing.boxTexts(), typed); // nothing typed is thrown away
            QVERIFY(main.shared.editor.modificationPending());
        }
    }

    void enregistrerAppendsOneLineAndMakesReadyForTheNext()
    {
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Ajouter");
        editing.walk(kNewFields);
        auto* enregistrer = editing.control<QPushButton>("Enregistrer");
        QVERIFY(enregistrer->hasFocus());
        QCOMPARE(backgroundColour(enregistrer), kOpen);
        main.platform.pendingEventPasses = 0;
        editing.click("Enregistrer");

        QCOMPARE(main.folder.directoryBytes(), directory() + kNew + "\r\n");
        QCOMPARE(main.platform.pendingEventPasses, 0); // an append makes no pass
        QVERIFY(main.platform.messages.empty());
        QVERIFY(main.shared.editor.modified());
        QVERIFY(!main.shared.editor.modificationPending());
        QCOMPARE(editing.boxTexts(), QStringList(6, QString()));
        QVERIFY(isOpenForInput(editing.box("Ind_B")));
        QCOMPARE(backgroundColour(editing.box("Ind_B")), kOpen);
        for (int i = 1; i < 6; ++i)
            QVERIFY(!isOpenForInput(editing.box(kBoxNames[i])));
        QCOMPARE(backgroundColour(enregistrer), QGuiApplication::palette().color(QPalette::Button));
        QVERIFY(editing.control<QPushButton>("Quitter")->hasFocus());
        // Disabled until the chain reaches it again: a second click stores no empty record.
        QVERIFY(!enregistrer->isEnabled());
        editing.click("Enregistrer");
        QCOMPARE(main.folder.directoryBytes(), directory() + kNew + "\r\n");
    }

    void appendEndsAnUnendedLastLineFirst()
    {
        MainHarness main(crlfLines({kRevision}) + kMartin);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Ajouter");
        editing.walk(kNewFields);
        editing.click("Enregistrer");
        QCOMPARE(main.folder.directoryBytes(), crlfLines({kRevision, kMartin, kNew}));
    }

    void modifyingSaveReplacesEveryLineOfTheKey()
    {
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F1ABC"));
        const std::string selected = main.shared.Ligne_OM;
        editing.click("Modifier");
        QVERIFY(main.shared.editor.modificationPending());
        QVERIFY(main.listLines().isEmpty());
        QCOMPARE(main.shared.Ligne_OM, selected);
        QVERIFY(editing.box("Ind_B")->hasFocus());
        QCOMPARE(backgroundColour(editing.box("Ind_B")), kOpen);
        QCOMPARE(editing.boxTexts(), (QStringList{"F1ABC", "DUPONT", "Jean", "12 rue Haute", "PARIS", "75002"}));

        // A changed callsign renames the entry named by the selected line.
        main.platform.pendingEventPasses = 0;
        editing.walk({"F1NEW", "DUPONT", "Jean", "12 rue Haute", "PARIS", "75002"});
        editing.click("Enregistrer");
        const QByteArray renamed = "F1NEW;DUPONT;JEAN;12 RUE HAUTE;PARIS;75002";
        QCOMPARE(main.folder.directoryBytes(), crlfLines({kRevision, kMartin, renamed, "", renamed, kMarked, kBourg}));
        QCOMPARE(main.platform.pendingEventPasses, 1);
        QVERIFY(!main.shared.editor.modificationPending());
        QVERIFY(main.shared.editor.modified());
        QVERIFY(!scratchFileExists(main));

        // The next save appends.
        editing.walk(kNewFields);
        editing.click("Enregistrer");
        QCOMPARE(main.folder.directoryBytes(),
                 crlfLines({kRevision, kMartin, renamed, "", renamed, kMarked, kBourg, kNew}));
    }

    // One row per way the window hands the editor an entry or a key; the sequences
    // themselves are rows of the editor's table (database/test_directory_editor.cpp).
    void aChangeActsOnTheEntryShownInTheWindow_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QStringList>("messages");
        const QByteArray bothChanged = crlfLines({kRevision, kMartin, kChanged, "", kChanged, kMarked, kBourg});
        const QString nothingLoaded = QStringLiteral(
            "Aucune entrée de l'annuaire n'est chargée dans la fenêtre : choisissez une ligne de la liste et "
            "ouvrez-la avec « Expert » avant « Modifier ».");

        QTest::newRow("a line clicked after Modifier")
            << QStringList{"open F1ABC", "Modifier", "walk changed", "select F6ZZZ", "Enregistrer"} << bothChanged
            << QStringList{};
        // The boxes no longer hold the entry under modification: it ends, and the chain must be
        // walked again before anything is stored.
        QTest::newRow("another entry opened after Modifier")
            << QStringList{"open F1ABC", "Modifier", "walk changed", "open F6ZZZ", "Enregistrer"} << directory()
            << QStringList{};
        QTest::newRow("Modifier after Ajouter")
            << QStringList{"open F1ABC", "Ajouter", "Modifier", "walk new", "Enregistrer"}
            << directory() + kNew + "\r\n"
            << QStringList{nothingLoaded};
    }
    void aChangeActsOnTheEntryShownInTheWindow()
    {
        QFETCH(QStringList, steps);
        QFETCH(QByteArray, expected);
        QFETCH(QStringList, messages);
        MainHarness main(directory());
        Editing editing(main);
        for (const QString& step : steps) {
            if (step.startsWith(QLatin1String("open ")))
                editing.open(step.mid(5));
            else if (step.startsWith(QLatin1String("select "))) {
                // A click in the main window only, without Expert.
                main.search("Option1", step.mid(7));
                clickLine(main, 0);
            } else if (step == QLatin1String("walk changed"))
                editing.walk(kChangedFields);
            else if (step == QLatin1String("walk new"))
                editing.walk(kNewFields);
            else
                editing.click(qPrintable(step));
        }
        QCOMPARE(main.folder.directoryBytes(), expected);
        QCOMPARE(main.platform.messageTexts(), messages);
        QVERIFY(!main.shared.editor.modificationPending());
        QVERIFY(!scratchFileExists(main));
    }

    void ajouterOrSupprimerEndsAPendingModification_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("Ajouter") << "Ajouter";
        QTest::newRow("Supprimer") << "Supprimer";
    }
    void ajouterOrSupprimerEndsAPendingModification()
    {
        QFETCH(QString, ending);
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Modifier");
        editing.walk({"F6ZZZ", "MARTIN"});
        editing.click(qPrintable(ending));
        QVERIFY(!main.shared.editor.modificationPending());
        QCOMPARE(editing.boxTexts(), QStringList(6, QString()));
        QVERIFY(!editing.control<QPushButton>("Enregistrer")->isEnabled());
        if (ending == QLatin1String("Ajouter")) {
            QVERIFY(isOpenForInput(editing.box("Ind_B")));
            QVERIFY(editing.box("Ind_B")->hasFocus());
            for (int i = 1; i < 6; ++i)
                QVERIFY(!isOpenForInput(editing.box(kBoxNames[i])));
        }
        const QByteArray before = main.folder.directoryBytes();

        editing.click("Ajouter");
        editing.walk(kNewFields);
        editing.click("Enregistrer");
        // Appended: the new entry overwrote nothing.
        QCOMPARE(main.folder.directoryBytes(), before + kNew + "\r\n");
    }

    void enregistrerChecksBoxesChangedWithoutEnter()
    {
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Ajouter");
        editing.walk(kNewFields);
        // Back in a passed box, text arrives without Enter.
        editing.box("Nom_B")->setFocus();
        editing.box("Nom_B")->insert(QStringLiteral(";X"));
        editing.click("Enregistrer");
        QCOMPARE(
            main.platform.messageTexts(),
            QStringList{
                "Le caractère « ; » n'est pas permis dans le champ « Nom » : il sépare les champs de l'annuaire."});
        QCOMPARE(main.folder.directoryBytes(), directory());
        QVERIFY(!main.shared.editor.modified());
        QCOMPARE(editing.box("Nom_B")->text(), QStringLiteral("NOUVEAU;X"));
    }

    // Yes and No; the numbers read and written are rows of the editor's table.
    void quitterOffersTheRevisionBump_data()
    {
        QTest::addColumn<QByteArray>("revision");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QByteArray>("newRevision");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("date");
        const QString before = QStringLiteral("La base de donnée est a la révision ");
        const QString middle = QStringLiteral(" voulez vous la passer a la révision  ");
        QTest::newRow("255, yes") << kRevision << true << before + "255" + middle + "256"
                                  << QByteArray("Base Rev 256  du 07/12/2026") << "Base Rev 256"
                                  << "du 07/12/2026";
        QTest::newRow("255, no") << kRevision << false << before + "255" + middle + "256" << kRevision << "Base Rev 255"
                                 << "du 11/08/2009";
    }
    void quitterOffersTheRevisionBump()
    {
        QFETCH(QByteArray, revision);
        QFETCH(bool, yes);
        QFETCH(QString, prompt);
        QFETCH(QByteArray, newRevision);
        QFETCH(QString, label);
        QFETCH(QString, date);
        MainHarness main(directory(revision));
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Ajouter");
        editing.walk(kNewFields);
        editing.click("Enregistrer");
        const QByteArray saved = main.folder.directoryBytes();
        main.platform.answers = {yes ? MessageAnswer::Yes : MessageAnswer::No};
        main.platform.pendingEventPasses = 0;
        editing.click("Quitter");

        QCOMPARE(main.platform.messages.size(), std::size_t{1});
        QCOMPARE(main.platform.messages[0].text, prompt);
        QCOMPARE(main.platform.messages[0].buttons, MessageButtons::YesNo);
        QByteArray expected = saved;
        expected.replace(0, saved.indexOf("\r\n"), newRevision);
        if (yes) // every copied line now ends with CR LF
            expected.replace("75002\n\r\n", "75002\r\n\r\n");
        QCOMPARE(main.folder.directoryBytes(), expected);
        QCOMPARE(main.platform.pendingEventPasses, 0); // the bump makes no pass
        QVERIFY(!scratchFileExists(main));
        QCOMPARE(main.control<QLabel>("Num_Rev")->text(), yes ? label : QStringLiteral("Base Rev 255"));
        if (yes)
            QCOMPARE(main.control<QLabel>("Date_Rev")->text(), date);
        QVERIFY(!editing.window()->isVisible());
        QVERIFY(!editing.window()->isLoaded());
    }

    void revision999IsNeverRaisedToFourDigits()
    {
        const QByteArray last = "Base Rev 999  du 11/08/2009";
        MainHarness main(directory(last));
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Ajouter");
        editing.walk(kNewFields);
        editing.click("Enregistrer");
        const QByteArray saved = main.folder.directoryBytes();
        QVERIFY(saved.endsWith(kNew + "\r\n")); // this opening did change the file
        main.platform.answers = {MessageAnswer::Yes};
        editing.click("Quitter");
        QCOMPARE(main.platform.messageTexts(),
                 QStringList{"La base de donnée est a la révision 999, la dernière que le fichier peut noter sur trois "
                             "chiffres : la révision ne peut pas être augmentée.\r\nLa ligne de révision du fichier de "
                             "l'annuaire n'a pas été changée ; les entrées déjà enregistrées ne sont pas annulées."});
        QCOMPARE(main.platform.messages[0].buttons, MessageButtons::Ok);
        QCOMPARE(main.folder.directoryBytes(), saved);
        QCOMPARE(main.control<QLabel>("Num_Rev")->text(), QStringLiteral("Base Rev 999"));
        QVERIFY(!editing.window()->isVisible());
    }

    void severalSavesRaiseTheRevisionByOne()
    {
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Ajouter");
        editing.walk(kNewFields);
        editing.click("Enregistrer");
        editing.walk({"F2TWO", "DEUX", "", "", "", "00002"});
        editing.click("Enregistrer");
        main.platform.answers = {MessageAnswer::Yes};
        editing.click("Quitter");
        QCOMPARE(main.folder.directoryBytes(), crlfLines({"Base Rev 256  du 07/12/2026", kMartin, kDupont, "", kDurand,
                                                          kMarked, kBourg, kNew, "F2TWO;DEUX;;;;00002"}));
    }

    void quitterWithoutASaveAsksNothing()
    {
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Quitter");
        QVERIFY(main.platform.messages.empty());
        QVERIFY(!editing.window()->isVisible());
        QCOMPARE(main.folder.directoryBytes(), directory());
        QVERIFY(!scratchFileExists(main));
    }

    void failedChangesAreToldAndLeaveTheFileAsItWas_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("message");
        const QString scratchNotCreated = QStringLiteral(
            "Le fichier de travail « Temporaire.txt » ne peut pas être créé dans le dossier de l'annuaire.\r\n");
        const QString scratchNotWritten = QStringLiteral(
            "Le fichier de travail « Temporaire.txt » n'a pas pu être écrit en entier (disque plein ?).\r\n");
        const QString notReplaced = QStringLiteral(
            "Le fichier de l'annuaire « Annuaire_Amat.csv » n'a pas pu être remplacé par sa nouvelle version.\r\n");
        const QString notAppended = QStringLiteral("L'entrée n'a pas pu être écrite à la fin du fichier de l'annuaire "
                                                   "« Annuaire_Amat.csv » (disque plein ?).\r\n");
        const QString notSaved = QStringLiteral("L'entrée n'a pas été enregistrée.");
        const QString notDeleted = QStringLiteral("Rien n'a été supprimé.");
        const QString notRaised = QStringLiteral("La révision de la base n'a pas été changée.");
        // One row per button; every step of every operation is a row of the editor's table.
        QTest::newRow("delete, create") << "delete" << int(FileStep::Create)
                                        << scratchNotCreated + notDeleted + kUnchanged;
        QTest::newRow("modifying save, write")
            << "modify" << int(FileStep::Write) << scratchNotWritten + notSaved + kUnchanged;
        QTest::newRow("revision bump, replace")
            << "bump" << int(FileStep::Replace) << notReplaced + notRaised + kUnchanged;
        QTest::newRow("append, write") << "append" << int(FileStep::Write) << notAppended + notSaved + kUnchanged;
    }
    void failedChangesAreToldAndLeaveTheFileAsItWas()
    {
        QFETCH(QString, operation);
        QFETCH(int, step);
        QFETCH(QString, message);
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F1ABC"));
        if (operation == QLatin1String("bump")) {
            editing.click("Ajouter");
            editing.walk(kNewFields);
            editing.click("Enregistrer");
            main.platform.answers = {MessageAnswer::Yes};
        } else if (operation == QLatin1String("modify")) {
            editing.click("Modifier");
            editing.walk(kNewFields);
        } else if (operation == QLatin1String("append")) {
            editing.click("Ajouter");
            editing.walk(kNewFields);
        }
        const QByteArray before = main.folder.directoryBytes();
        const QStringList boxesBefore = editing.boxTexts();
        const bool modifiedBefore = main.shared.editor.modified();
        FailingFileLayer layer(static_cast<FileStep>(step));
        main.platform.files = &layer;
        main.platform.messages.clear();

        const char* button = operation == QLatin1String("delete") ? "Supprimer"
                             : operation == QLatin1String("bump") ? "Quitter"
                                                                  : "Enregistrer";
        editing.click(button);
        QVERIFY(!layer.steps.empty()); // the step was reached
        QVERIFY(!main.platform.messages.empty());
        QCOMPARE(main.platform.messages.back().text, message);
        QCOMPARE(main.folder.directoryBytes(), before);
        QVERIFY(!scratchFileExists(main));
        // Everything else stays as it was, ready for another try.
        QCOMPARE(editing.boxTexts(), boxesBefore);
        QCOMPARE(main.shared.editor.modified(), modifiedBefore);
        QVERIFY(editing.window()->isVisible());
        QCOMPARE(main.control<QLabel>("Num_Rev")->text(), QStringLiteral("Base Rev 255"));
        if (operation == QLatin1String("modify"))
            QVERIFY(main.shared.editor.modificationPending());
        if (operation == QLatin1String("modify") || operation == QLatin1String("append"))
            QVERIFY(editing.control<QPushButton>("Enregistrer")->isEnabled());

        // Once the cause is gone, the same click succeeds.
        main.platform.files = nullptr;
        main.platform.answers = {MessageAnswer::Yes};
        editing.click(button);
        QVERIFY(main.folder.directoryBytes() != before);
    }

    void readOnlyFolderOrLeftoverScratchFileIsTold_data()
    {
        QTest::addColumn<bool>("leftover");
        QTest::addColumn<QString>("operation");
        QTest::newRow("read-only folder, delete") << false << "delete";
        QTest::newRow("read-only folder, modifying save") << false << "modify";
        QTest::newRow("read-only Temporaire.txt, delete") << true << "delete";
        QTest::newRow("read-only Temporaire.txt, modifying save") << true << "modify";
    }
    void readOnlyFolderOrLeftoverScratchFileIsTold()
    {
        QFETCH(bool, leftover);
        QFETCH(QString, operation);
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F1ABC"));
        if (operation == QLatin1String("modify")) {
            editing.click("Modifier");
            editing.walk(kNewFields);
        }
        const std::filesystem::path folder = toFilesystemPath(main.folder.path());
        if (leftover)
            writeBytes(folder / "Temporaire.txt", "left over\r\n");
        ReadOnlyGuard readOnly(leftover ? folder / "Temporaire.txt" : folder);
        if (!readOnly.effective())
            QSKIP("this system lets the file or folder be written anyway");
        // A leftover that is merely read-only is removed and made anew: only an immutable one
        // stands in the way.
        if (leftover && !readOnly.immutable())
            QSKIP("this system cannot keep Temporaire.txt from being removed");

        editing.click(operation == QLatin1String("delete") ? "Supprimer" : "Enregistrer");
        QCOMPARE(main.platform.messageTexts().size(), 1);
        // A read-only folder does not even take the lock file.
        QVERIFY(main.platform.messageTexts()[0].startsWith(
            leftover
                ? QStringLiteral(
                      "Le fichier de travail « Temporaire.txt » ne peut pas être créé dans le dossier de l'annuaire.")
                : QStringLiteral("Le fichier de verrou « Annuaire_Amat.lock » ne peut pas être créé dans le dossier de "
                                 "l'annuaire")));
        QCOMPARE(main.folder.directoryBytes(), directory());
        QCOMPARE(scratchFileExists(main), leftover);
        if (leftover)
            QCOMPARE(readBytes(folder / "Temporaire.txt"), std::string("left over\r\n"));
    }

    void rewritesKeepWhatTheUserSetUp_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("operation");
        const char* const rewrites[] = {"delete", "modify", "bump"};
        for (const char* setup :
             {"Temporaire.txt hard link to the directory", "Temporaire.txt symbolic link to another file",
              "directory file a symbolic link", "directory file a symbolic link, lock held beside its target",
              "directory file a symbolic link, the user's Temporaire.txt beside its target", "directory file mode 0600",
              "directory file mode 0640", "directory file of another owner and group"})
            for (const char* operation : rewrites)
                QTest::addRow("%s, %s", setup, operation) << setup << operation;
        // An append through a link already reached the linked file; it must take the lock
        // beside that file, as a rewrite does.
        QTest::newRow("directory file a symbolic link, lock held beside its target, append")
            << "directory file a symbolic link, lock held beside its target"
            << "append";
    }
    void rewritesKeepWhatTheUserSetUp()
    {
        QFETCH(QString, setup);
        QFETCH(QString, operation);
#ifdef _WIN32
        QSKIP("links and access modes are set up with the commands of other systems");
#endif
        namespace fs = std::filesystem;
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F1ABC"));
        QByteArray expected;
        if (operation == QLatin1String("delete")) {
            expected = crlfLines({kRevision, kMartin, "", kMarked, kBourg});
        } else if (operation == QLatin1String("modify")) {
            editing.click("Modifier");
            editing.walk(kNewFields);
            expected = crlfLines({kRevision, kMartin, kNew, "", kNew, kMarked, kBourg});
        } else if (operation == QLatin1String("append")) {
            editing.click("Ajouter");
            editing.walk(kNewFields);
            expected = directory() + kNew + "\r\n";
        } else {
            editing.click("Ajouter");
            editing.walk(kNewFields);
            editing.click("Enregistrer");
            expected = crlfLines({"Base Rev 256  du 07/12/2026", kMartin, kDupont, "", kDurand, kMarked, kBourg, kNew});
        }
        const fs::path folder = toFilesystemPath(main.folder.path());
        const fs::path directoryFile = folder / "Annuaire_Amat.csv";
        const fs::path scratch = folder / "Temporaire.txt";
        const fs::path shared = folder / "partage";
        const std::string precious = "F9KEEP;AUTRE;Fichier;1 rue E;LILLE;59000\r\n";
        FailingFileLayer noWaiting;
        std::unique_ptr<FileLock> held;
        const fs::perms mode0600 = fs::perms::owner_read | fs::perms::owner_write;
        if (setup.startsWith(QLatin1String("Temporaire.txt hard link"))) {
            fs::create_hard_link(directoryFile, scratch);
        } else if (setup.startsWith(QLatin1String("Temporaire.txt symbolic link"))) {
            writeBytes(folder / "autre.txt", precious);
            fs::create_symlink("autre.txt", scratch);
        } else if (setup.startsWith(QLatin1String("directory file a symbolic link"))) {
            fs::create_directory(shared);
            fs::rename(directoryFile, shared / "Annuaire_Amat.csv");
            fs::create_symlink(fs::path("partage") / "Annuaire_Amat.csv", directoryFile);
            if (setup.endsWith(QLatin1String("the user's Temporaire.txt beside its target")))
                writeBytes(shared / "Temporaire.txt", precious);
            if (setup.endsWith(QLatin1String("lock held beside its target"))) {
                QCOMPARE(systemFileLayer().tryLock(shared / "Annuaire_Amat.lock", held), LockAttempt::Taken);
                main.platform.files = &noWaiting;
            }
        } else if (setup.endsWith(QLatin1String("0600"))) {
            fs::permissions(directoryFile, mode0600);
        } else if (setup.endsWith(QLatin1String("0640"))) {
            fs::permissions(directoryFile, mode0600 | fs::perms::group_read);
        } else if (setup.endsWith(QLatin1String("another owner and group"))) {
            fs::permissions(directoryFile, mode0600 | fs::perms::group_read);
            if (!giveToAnotherOwner(directoryFile))
                QSKIP("giving a file to another owner needs the super-user");
        }
        const QFileInfo before(main.folder.directoryFile());
        const QFile::Permissions permissionsBefore = before.permissions();
        const uint ownerBefore = before.ownerId();
        const uint groupBefore = before.groupId();
        const QByteArray bytesBefore = main.folder.directoryBytes();
        main.platform.messages.clear();
        main.platform.answers = {MessageAnswer::Yes};

        editing.click(operation == QLatin1String("delete") ? "Supprimer"
                      : operation == QLatin1String("bump") ? "Quitter"
                                                           : "Enregistrer");
        if (held) {
            // The other copy's lock beside the list holds off every change, link or not.
            QVERIFY2(!main.platform.messages.empty() && main.platform.messages.back().text.startsWith(QStringLiteral(
                                                            "Le fichier de l'annuaire « Annuaire_Amat.csv » est en "
                                                            "cours de modification par une autre copie")),
                     qPrintable(main.platform.messageTexts().join(QLatin1Char('|'))));
            QCOMPARE(main.folder.directoryBytes(), bytesBefore);
            QVERIFY(fs::is_symlink(directoryFile));
            return;
        }
        QStringList questions;
        if (operation == QLatin1String("bump"))
            questions << QStringLiteral(
                "La base de donnée est a la révision 255 voulez vous la passer a la révision  256");
        QCOMPARE(main.platform.messageTexts(), questions);
        QCOMPARE(main.folder.directoryBytes(), expected);
        QVERIFY(!fs::exists(fs::symlink_status(scratch)));
        QVERIFY(!fs::exists(folder / "Annuaire_Amat.lock"));
        if (setup.startsWith(QLatin1String("Temporaire.txt symbolic link")))
            QCOMPARE(readBytes(folder / "autre.txt"), precious);
        if (setup.startsWith(QLatin1String("directory file a symbolic link"))) {
            QVERIFY(fs::is_symlink(directoryFile));
            QCOMPARE(QByteArray::fromStdString(readBytes(shared / "Annuaire_Amat.csv")), expected);
            // Beside the list only the list changed: the user's own files there stay as they were.
            if (setup.endsWith(QLatin1String("the user's Temporaire.txt beside its target")))
                QCOMPARE(readBytes(shared / "Temporaire.txt"), precious);
            else
                QVERIFY(!fs::exists(shared / "Temporaire.txt"));
            QVERIFY(!fs::exists(shared / "Annuaire_Amat.lock"));
            for (const auto& entry : fs::directory_iterator(shared))
                QVERIFY2(entry.path().filename() == "Annuaire_Amat.csv" || entry.path().filename() == "Temporaire.txt",
                         entry.path().filename().c_str());
        }
        const QFileInfo after(main.folder.directoryFile());
        QCOMPARE(after.ownerId(), ownerBefore);
        QCOMPARE(after.groupId(), groupBefore);
        QCOMPARE(after.permissions(), permissionsBefore);
    }

    void missingDirectoryFileIsNotCreatedBySave()
    {
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Ajouter");
        editing.walk(kNewFields);
        main.folder.removeDirectory();
        editing.click("Enregistrer");
        QCOMPARE(main.platform.messageTexts(),
                 QStringList{
                     "Le fichier de l'annuaire « Annuaire_Amat.csv » est introuvable dans le dossier du programme.\r\n"
                     "L'entrée n'a pas été enregistrée."});
        QVERIFY(!QFile::exists(main.folder.directoryFile()));
        QVERIFY(!main.shared.editor.modified());
    }

    void noSecondOperationStartsDuringThePass_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("meanwhile");
        // One row per control that could start a second operation; the same refusals during a
        // delete are rows of the editor's table.
        for (const char* meanwhile :
             {"Supprimer", "Enregistrer", "Quitter", "Ajouter", "Modifier", "close box", "search", "Expert"})
            QTest::addRow("modify, then %s", meanwhile) << "modify" << meanwhile;
    }
    void noSecondOperationStartsDuringThePass()
    {
        QFETCH(QString, operation);
        QFETCH(QString, meanwhile);
        MainHarness main(directory());
        Editing editing(main);
        editing.open(QStringLiteral("F1ABC"));
        main.shared.editor.setModified(true); // so that a Quitter would prompt and rewrite
        if (operation == QLatin1String("modify")) {
            editing.click("Modifier");
            editing.walk(kNewFields);
        }
        main.platform.answers = {MessageAnswer::Yes};
        main.platform.pendingEventPasses = 0;
        bool acted = false;
        main.platform.onPendingEvents = [&] {
            if (acted)
                return;
            acted = true;
            if (meanwhile == QLatin1String("close box"))
                editing.window()->close();
            else if (meanwhile == QLatin1String("search"))
                main.search("Option1", QStringLiteral("F6ZZZ"));
            else if (meanwhile == QLatin1String("Expert"))
                QTest::mouseClick(main.control<QPushButton>("Expert"), Qt::LeftButton);
            else
                editing.click(qPrintable(meanwhile));
        };
        editing.click(operation == QLatin1String("delete") ? "Supprimer" : "Enregistrer");

        QCOMPARE(main.platform.pendingEventPasses, 1);
        QVERIFY(main.platform.messages.empty());
        const QByteArray expected = operation == QLatin1String("delete")
                                        ? crlfLines({kRevision, kMartin, "", kMarked, kBourg})
                                        : crlfLines({kRevision, kMartin, kNew, "", kNew, kMarked, kBourg});
        QCOMPARE(main.folder.directoryBytes(), expected);
        QVERIFY(editing.window()->isVisible());
        QVERIFY(editing.window()->isLoaded());
        QVERIFY(!main.shared.editor.modificationPending());
        QCOMPARE(editing.boxTexts(), QStringList(6, QString()));
        QVERIFY(main.listLines().isEmpty());
        QVERIFY(!main.shared.editor.busy());
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestRecordOperations)
#include "test_record_operations.moc"
