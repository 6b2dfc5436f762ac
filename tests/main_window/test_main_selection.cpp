#include <QDir>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "support/editing_fixture.h"
#include "widgets/typing_line_edit.h"
#include "widgets/windows1252_text.h"

namespace dravelin::test {

namespace {

const QByteArray kDirectory = crlfLines({
    "Base Rev 255  du 11/08/2009",
    "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001",
    "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002",
    "",
    "F1ABC;DURAND;Luc;5 rue C;NICE;06000",
    "F5XYCET INDICATIF EST ATTRIBUE MAIS;N'EST PAS PUBLIABLE;Eve;3 rue D;PARIS;69002",
    "F5SP CET INDICATIF EST ATTRIBUE MAIS;X;Ann;4 rue E;PARIS;69003",
    "F2AA;LISTE ORANGE;;;PARIS;75004",
    "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000",
    "F7MORE;PLUS;Jo;1 rue F;METZ;57000;extra",
    "F4XYZ;L\xC9VY;H\xE9l\xE8ne;3 all\xE9"
    "e des Pr\xE9s;\xC9VREUX;27000",
});

const QString kDupont = resultLine("F1ABC", "DUPONT Jean", "12 rue Haute  75002 PARIS");
const QString kMartin = resultLine("F6ZZZ", "MARTIN Paul", "1 rue A  75001 PARIS");

} // namespace

class TestMainSelection : public QObject {
    Q_OBJECT

private slots:
    void clickAndKeyboardMakeTheLineCurrent()
    {
        MainHarness main(kDirectory);
        QVERIFY(main.shared.Ligne_OM.empty());
        main.search("Option3", QStringLiteral("PARIS"));
        const QStringList lines = main.listLines();
        QCOMPARE(lines.size(), 5);

        clickLine(main, 2);
        QCOMPARE(QString::fromLatin1(main.shared.Ligne_OM), lines[2]);
        QTest::keyClick(main.control<QListView>("Liste_OM"), Qt::Key_Down);
        QCOMPARE(QString::fromLatin1(main.shared.Ligne_OM), lines[3]);
        QTest::keyClick(main.control<QListView>("Liste_OM"), Qt::Key_Home);
        QCOMPARE(QString::fromLatin1(main.shared.Ligne_OM), lines[0]);
        // The line is kept byte for byte as listed, accented letters included.
        main.search("Option1", QStringLiteral("F4XYZ"));
        clickLine(main, 0);
        QCOMPARE(Windows1252().decode(main.shared.Ligne_OM),
                 resultLine("F4XYZ", "LÉVY Hélène", "3 allée des Prés  27000 ÉVREUX"));
        QCOMPARE(main.shared.Ligne_OM.substr(12, 4), std::string("L\xC9VY"));
    }

    void aNewSearchLeavesTheSelectedLineAlone()
    {
        MainHarness main(kDirectory);
        main.search("Option1", QStringLiteral("F1ABC"));
        clickLine(main, 0);
        QCOMPARE(QString::fromLatin1(main.shared.Ligne_OM), kDupont);

        main.search("Option1", QStringLiteral("F6ZZZ"));
        QCOMPARE(main.listLines(), QStringList{kMartin});
        // The focus reaching the new list makes a line current without the user picking it.
        main.control<QListView>("Liste_OM")->setFocus();
        main.control<TypingLineEdit>("Libelle")->setFocus();
        QCOMPARE(QString::fromLatin1(main.shared.Ligne_OM), kDupont);
    }

    void doubleClickOpensNothingWhileExpertIsHidden()
    {
        MainHarness main(kDirectory);
        main.search("Option1", QStringLiteral("F6ZZZ"));
        doubleClickLine(main, 0);
        QCOMPARE(QString::fromLatin1(main.shared.Ligne_OM), kMartin);
        QVERIFY(main.window->editingWindow() == nullptr);
        QCOMPARE(main.platform.pendingEventPasses, 1); // the search's own pass only
    }

    void chordShowsAndHidesExpert_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("query box") << "Libelle";
        QTest::newRow("result list") << "Liste_OM";
    }
    void chordShowsAndHidesExpert()
    {
        QFETCH(QString, focus);
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        main.window->findChild<QWidget*>(focus)->setFocus();
        auto* expert = main.control<QPushButton>("Expert");
        QVERIFY(!expert->isVisible());
        pressExpertChord(main);
        QVERIFY(expert->isVisible());
        main.control<QListView>("Liste_OM")->setFocus();
        QTest::keyClick(main.control<QListView>("Liste_OM"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(expert));
        pressExpertChord(main);
        QVERIFY(!expert->isVisible());
        // A chord is not typed into the query box.
        QVERIFY(main.control<TypingLineEdit>("Libelle")->text().isEmpty());
    }

    void doubleClickWhileExpertIsVisibleOpensTheEntry()
    {
        MainHarness main(kDirectory);
        main.search("Option1", QStringLiteral("F1ABC"));
        pressExpertChord(main);
        doubleClickLine(main, 1);
        QCOMPARE(QString::fromLatin1(main.shared.Ligne_OM), resultLine("F1ABC", "DURAND Luc", "5 rue C  06000 NICE"));
        Editing editing(main);
        QVERIFY(editing.window());
        QVERIFY(editing.window()->isVisible());
        // Two lines share the callsign: the first of the file is shown, whichever was clicked.
        QCOMPARE(editing.boxTexts(), (QStringList{"F1ABC", "DUPONT", "Jean", "12 rue Haute", "PARIS", "75002"}));
    }

    void expertShowsTheFieldsAsStored_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("plain entry") << "Option1"
                                     << "F6ZZZ" << kMartin
                                     << QStringList{"F6ZZZ", "MARTIN", "Paul", "1 rue A", "PARIS", "75001"};
        QTest::newRow("marker right after the callsign")
            << "Option1"
            << "F5XY" << resultLine("F5XY", "EN LISTE ORANGE Eve", "3 rue D  69002 PARIS")
            << QStringList{"F5XY", "EN LISTE ORANGE", "Eve", "3 rue D", "PARIS", "69002"};
        QTest::newRow("surname LISTE ORANGE as stored")
            << "Option1"
            << "F2AA" << resultLine("F2AA", "", "").left(12) + "EN LISTE ORANGE"
            << QStringList{"F2AA", "LISTE ORANGE", "", "", "PARIS", "75004"};
        QTest::newRow("four-character postcode as stored")
            << "Option1"
            << "F8BRG" << resultLine("F8BRG", "BOURG Marc", "2 place D  01000 BOURG EN BRESSE")
            << QStringList{"F8BRG", "BOURG", "Marc", "2 place D", "BOURG EN BRESSE", "1000"};
        QTest::newRow("more than six fields")
            << "Option1"
            << "F7MORE" << resultLine("F7MORE", "PLUS Jo", "1 rue F  57000;extra METZ")
            << QStringList{"F7MORE", "PLUS", "Jo", "1 rue F", "METZ", "57000;extra"};
        QTest::newRow("accented letters")
            << "Option1"
            << "F4XYZ" << resultLine("F4XYZ", "LÉVY Hélène", "3 allée des Prés  27000 ÉVREUX")
            << QStringList{"F4XYZ", "LÉVY", "Hélène", "3 allée des Prés", "ÉVREUX", "27000"};
        // A space before the marker stays part of the stored callsign: the trimmed key misses it.
        QTest::newRow("marker after a space")
            << "Option1"
            << "F5SP" << resultLine("F5SP", "EN LISTE ORANGE Ann", "4 rue E  69003 PARIS")
            << QStringList{"", "", "", "", "", ""};
    }
    void expertShowsTheFieldsAsStored()
    {
        QFETCH(QString, criterion);
        QFETCH(QString, query);
        QFETCH(QString, line);
        QFETCH(QStringList, boxes);
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(query);
        QCOMPARE(main.listLines().value(0), line);
        QVERIFY(editing.window()->isVisible());
        QCOMPARE(editing.boxTexts(), boxes);
        for (const char* name : kBoxNames)
            QVERIFY(!isOpenForInput(editing.box(name)));
        QVERIFY(!editing.control<QPushButton>("Enregistrer")->isEnabled());
        QVERIFY(main.platform.messages.empty());
    }

    void expertWithNothingSelectedOpensTheWindowEmpty()
    {
        MainHarness main(kDirectory);
        pressExpertChord(main);
        QTest::mouseClick(main.control<QPushButton>("Expert"), Qt::LeftButton);
        Editing editing(main);
        QVERIFY(editing.window() && editing.window()->isVisible());
        QCOMPARE(editing.boxTexts(), QStringList(6, QString()));
    }

    void noMatchKeepsWhatTheBoxesHeld()
    {
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.window()->hide(); // still loaded
        main.search("Option1", QStringLiteral("F5SP"));
        clickLine(main, 0);
        QTest::mouseClick(main.control<QPushButton>("Expert"), Qt::LeftButton);
        QVERIFY(editing.window()->isVisible());
        QCOMPARE(editing.boxTexts(), (QStringList{"F6ZZZ", "MARTIN", "Paul", "1 rue A", "PARIS", "75001"}));
    }

    void bothWindowsStayUsable()
    {
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        QVERIFY(!editing.window()->isModal());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        main.search("Option3", QStringLiteral("NICE"));
        QCOMPARE(main.listLines(), QStringList{resultLine("F1ABC", "DURAND Luc", "5 rue C  06000 NICE")});
        QVERIFY(editing.window()->isVisible());
    }

    void missingOrUnreadableFileIsToldAndNothingOpens_data()
    {
        QTest::addColumn<QString>("instead");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing")
            << "nothing"
            << "Le fichier de l'annuaire « Annuaire_Amat.csv » est introuvable : la fiche ne peut pas être affichée.";
        QTest::newRow("unreadable") << "folder"
                                    << "Le fichier de l'annuaire « Annuaire_Amat.csv » ne peut pas être lu : la fiche "
                                       "ne peut pas être affichée.";
        QTest::newRow("link to /dev/zero") << "/dev/zero"
                                           << "Le fichier de l'annuaire « Annuaire_Amat.csv » n'est pas un fichier "
                                              "ordinaire (tube, périphérique ou lien "
                                              "vers l'un d'eux) : la fiche ne peut pas être affichée.";
    }
    void missingOrUnreadableFileIsToldAndNothingOpens()
    {
        QFETCH(QString, instead);
        QFETCH(QString, message);
        MainHarness main(kDirectory);
        main.search("Option1", QStringLiteral("F6ZZZ"));
        clickLine(main, 0);
        main.folder.removeDirectory();
        if (instead == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(main.folder.directoryFile()));
        if (instead == QLatin1String("/dev/zero") &&
            (!QFile::exists(instead) || !QFile::link(instead, main.folder.directoryFile())))
            QSKIP("this system has no /dev/zero");
        pressExpertChord(main);
        QTest::mouseClick(main.control<QPushButton>("Expert"), Qt::LeftButton);
        QCOMPARE(main.platform.messageTexts(), QStringList{message});
        QVERIFY(main.window->editingWindow() == nullptr);
    }

    void lookupLetsPendingEventsRunOnceAndNoSearchStartsMeanwhile()
    {
        MainHarness main(kDirectory);
        main.search("Option1", QStringLiteral("F6ZZZ"));
        clickLine(main, 0);
        main.platform.pendingEventPasses = 0;
        main.platform.onPendingEvents = [&] { main.search("Option3", QStringLiteral("NICE")); };
        pressExpertChord(main);
        QTest::mouseClick(main.control<QPushButton>("Expert"), Qt::LeftButton);
        QCOMPARE(main.platform.pendingEventPasses, 1);
        QCOMPARE(main.listLines(), QStringList{kMartin});
        Editing editing(main);
        QCOMPARE(editing.box("Ind_B")->text(), QStringLiteral("F6ZZZ"));
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestMainSelection)
#include "test_main_selection.moc"
