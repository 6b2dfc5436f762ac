#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "support/editing_fixture.h"

namespace dravelin::test {

// One sitting of a user who keeps the directory: every step through the windows, the file
// compared byte for byte at the end.
class TestEditingSession : public QObject {
    Q_OBJECT

private slots:
    void searchModifyAddDeleteRaiseAndSearchAgain()
    {
        MainHarness main("Base Rev 255  du 11/08/2009\r\n"
                         "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001\r\n"
                         "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002\n"
                         "F4XYZ;L\xC9VY;H\xE9l\xE8ne;3 all\xE9"
                         "e des Pr\xE9s;\xC9VREUX;27000\r\n"
                         "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000");
        QVERIFY(main.loaded);
        Editing editing(main);

        // Find DUPONT among the Parisians, pick his line and open it with the Expert button.
        main.search("Option3", QStringLiteral("paris"));
        QCOMPARE(main.listLines(), (QStringList{resultLine("F1ABC", "DUPONT Jean", "12 rue Haute  75002 PARIS"),
                                                resultLine("F6ZZZ", "MARTIN Paul", "1 rue A  75001 PARIS")}));
        clickLine(main, 0);
        pressExpertChord(main);
        QTest::mouseClick(main.control<QPushButton>("Expert"), Qt::LeftButton);
        QApplication::setActiveWindow(editing.window());
        QCOMPARE(editing.boxTexts(), (QStringList{"F1ABC", "DUPONT", "Jean", "12 rue Haute", "PARIS", "75002"}));

        // Modify his surname and address.
        editing.click("Modifier");
        QVERIFY(main.listLines().isEmpty());
        editing.walk({"F1ABC", "dupont-durand", "Jean", "14 rue basse", "PARIS", "75002"});
        editing.click("Enregistrer");

        // Add a new entry.
        editing.click("Ajouter");
        editing.walk({"f5new", "nouveau", "andré", "5 place de l'église", "évreux", "27000"});
        editing.click("Enregistrer");

        // Delete LÉVY, found by her department and opened with a double-click.
        main.search("Option4", QStringLiteral("27"));
        QCOMPARE(main.listLines(),
                 (QStringList{resultLine("F4XYZ", "LÉVY Hélène", "3 allée des Prés  27000 ÉVREUX"),
                              resultLine("F5NEW", "NOUVEAU ANDRÉ", "5 PLACE DE L'ÉGLISE  27000 ÉVREUX")}));
        doubleClickLine(main, 0);
        QCOMPARE(editing.boxTexts(), (QStringList{"F4XYZ", "LÉVY", "Hélène", "3 allée des Prés", "ÉVREUX", "27000"}));
        editing.click("Supprimer");

        // Leave, raising the revision.
        main.platform.answers = {MessageAnswer::Yes};
        editing.click("Quitter");
        QCOMPARE(main.platform.messageTexts(),
                 QStringList{"La base de donnée est a la révision 255 voulez vous la passer a la révision  256"});
        QVERIFY(!editing.window()->isVisible());
        QCOMPARE(main.control<QLabel>("Num_Rev")->text(), QStringLiteral("Base Rev 256"));
        QCOMPARE(main.control<QLabel>("Date_Rev")->text(), QStringLiteral("du 07/12/2026"));

        QCOMPARE(main.folder.directoryBytes(),
                 QByteArray("Base Rev 256  du 07/12/2026\r\n"
                            "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001\r\n"
                            "F1ABC;DUPONT-DURAND;JEAN;14 RUE BASSE;PARIS;75002\r\n"
                            "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000\r\n"
                            "F5NEW;NOUVEAU;ANDR\xC9;5 PLACE DE L'\xC9GLISE;\xC9VREUX;27000\r\n"));
        QVERIFY(!QFile::exists(QDir(main.folder.path()).filePath(QStringLiteral("Temporaire.txt"))));

        // A new search shows every change.
        main.search("Option4", QStringLiteral("00"));
        QCOMPARE(main.listLines(),
                 (QStringList{resultLine("F1ABC", "DUPONT-DURAND JEAN", "14 RUE BASSE  75002 PARIS"),
                              resultLine("F5NEW", "NOUVEAU ANDRÉ", "5 PLACE DE L'ÉGLISE  27000 ÉVREUX"),
                              resultLine("F6ZZZ", "MARTIN Paul", "1 rue A  75001 PARIS"),
                              resultLine("F8BRG", "BOURG Marc", "2 place D  01000 BOURG EN BRESSE")}));
        QCOMPARE(main.platform.messages.size(), std::size_t{1});
    }

    void quitterClosesTheWindowSoThatTheProgramCanEnd()
    {
        // The program ends when its last window is closed; a window merely hidden would keep it
        // running once the main window is gone.
        struct CloseCounter : QObject {
            int closes = 0;
            bool eventFilter(QObject*, QEvent* event) override
            {
                if (event->type() == QEvent::Close)
                    ++closes;
                return false;
            }
        } counter;
        MainHarness main(crlfLines({"Base Rev 255  du 11/08/2009", "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001"}));
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.window()->installEventFilter(&counter);
        main.window->close();
        QVERIFY(!main.window->isVisible());
        QVERIFY(editing.window()->isVisible()); // closing the main window's frame leaves it open
        editing.click("Quitter");
        QCOMPARE(counter.closes, 1);
        QVERIFY(!editing.window()->isVisible());
    }

    // "Quitter Dravelin" ends the program: the editing window goes through its own Quitter,
    // the revision question included, and closes with the main window.
    void quittingTheProgramClosesTheEditingWindowThroughItsQuitter_data()
    {
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("raise");
        QTest::addColumn<QByteArray>("revisionLine");

        const QByteArray unchanged = "Base Rev 255  du 11/08/2009\r\n";
        QTest::newRow("no editing window") << false << false << false << unchanged;
        QTest::newRow("nothing stored: no question") << true << false << false << unchanged;
        QTest::newRow("an entry stored, revision raised")
            << true << true << true << QByteArray("Base Rev 256  du 07/12/2026\r\n");
        QTest::newRow("an entry stored, revision kept") << true << true << false << unchanged;
        // The directory file gone before the question: the editing window stays, and so does the program.
        QTest::newRow("an entry stored, directory gone") << true << true << true << QByteArray();
    }
    void quittingTheProgramClosesTheEditingWindowThroughItsQuitter()
    {
        QFETCH(bool, opened);
        QFETCH(bool, stored);
        QFETCH(bool, raise);
        QFETCH(QByteArray, revisionLine);

        MainHarness main(crlfLines({"Base Rev 255  du 11/08/2009", "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001"}));
        Editing editing(main);
        if (opened)
            editing.open(QStringLiteral("F6ZZZ"));
        if (stored) {
            editing.click("Ajouter");
            editing.walk({"f5new", "nouveau", "andre", "5 place", "evreux", "27000"});
            editing.click("Enregistrer");
        }
        main.platform.messages.clear();
        main.platform.answers = {raise ? MessageAnswer::Yes : MessageAnswer::No};
        if (revisionLine.isEmpty()) {
            main.folder.removeDirectory();
            main.window->findChild<QAction*>(QStringLiteral("Mnu_Quitter"))->trigger();
            QCOMPARE(main.platform.messages.size(), std::size_t{1});
            QVERIFY(main.platform.messages[0].text.contains(QStringLiteral("Annuaire_Amat.csv")));
            QVERIFY(editing.window()->isVisible());
            QVERIFY(main.window->isVisible());
            return;
        }

        main.window->findChild<QAction*>(QStringLiteral("Mnu_Quitter"))->trigger();
        const QStringList question{"La base de donnée est a la révision 255 voulez vous la passer a la révision  256"};
        QCOMPARE(main.platform.messageTexts(), stored ? question : QStringList());
        QVERIFY(!main.window->isVisible());
        if (opened)
            QVERIFY(!editing.window()->isVisible());
        QVERIFY(main.folder.directoryBytes().startsWith(revisionLine));
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestEditingSession)
#include "test_editing_session.moc"
