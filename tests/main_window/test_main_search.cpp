#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListView>
#include <QRadioButton>
#include <QTest>

#include "support/directory_fixture.h"
#include "widgets/colours.h"
#include "widgets/typing_line_edit.h"

namespace dravelin::test {

namespace {

QString pad(const QString& text, int width)
{
    return text + QString(width - text.size(), QLatin1Char(' '));
}

const QByteArray kDirectory = crlfLines({
    "Base Rev 255  du 11/08/2009",
    "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001",
    "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002",
    "",
    "F4XYZ;L\xC9VY;H\xE9l\xE8ne;3 all\xE9"
    "e des Pr\xE9s;\xC9VREUX;27000",
    "F1ABC;DURAND;Luc;5 rue C;NICE;06000",
    "F2AA;LISTE ORANGE;;;PARIS;75004",
    "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000",
    "F5LOW;Dupr\xE9;r\xE9mi;1 rue;Paris;75003",
    "broken line",
});

} // namespace

class TestMainSearch : public QObject {
    Q_OBJECT

private slots:
    void enterListsTheMatchesSortedWithTheirCount_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("lines");

        const QString dupont = pad("F1ABC", 12) + pad("DUPONT Jean", 40) + "12 rue Haute  75002 PARIS";
        const QString durand = pad("F1ABC", 12) + pad("DURAND Luc", 40) + "5 rue C  06000 NICE";
        const QString martin = pad("F6ZZZ", 12) + pad("MARTIN Paul", 40) + "1 rue A  75001 PARIS";
        const QString orange = pad("F2AA", 12) + "EN LISTE ORANGE";
        const QString levy = pad("F4XYZ", 12) + pad("LÉVY Hélène", 40) + "3 allée des Prés  27000 ÉVREUX";
        const QString bourg = pad("F8BRG", 12) + pad("BOURG Marc", 40) + "2 place D  01000 BOURG EN BRESSE";
        const QString low = pad("F5LOW", 12) + pad("Dupré rémi", 40) + "1 rue  75003 Paris";

        QTest::newRow("city typed in small letters") << "Option3"
                                                     << "paris" << QStringList{dupont, orange, low, martin};
        QTest::newRow("accented city typed in small letters") << "Option3"
                                                              << "évreux" << QStringList{levy};
        QTest::newRow("surname stored in small letters") << "Option2"
                                                         << "dupré" << QStringList{low};
        QTest::newRow("city prefix") << "Option3"
                                     << "par*" << QStringList{dupont, orange, low, martin};
        QTest::newRow("callsign prefix") << "Option1"
                                         << "f1*" << QStringList{dupont, durand};
        QTest::newRow("department prefix") << "Option4"
                                           << "0*" << QStringList{durand, bourg};
        QTest::newRow("lone star") << "Option3"
                                   << "*" << QStringList{dupont, durand, orange, levy, low, martin, bourg};
        QTest::newRow("callsign on two lines") << "Option1"
                                               << "f1abc" << QStringList{dupont, durand};
        QTest::newRow("accented surname") << "Option2"
                                          << "lÉvy" << QStringList{levy};
        QTest::newRow("accented city") << "Option3"
                                       << "Évreux" << QStringList{levy};
        QTest::newRow("department restores the zero") << "Option4"
                                                      << "01" << QStringList{bourg};
        QTest::newRow("department 00") << "Option4"
                                       << "00" << QStringList{dupont, durand, orange, levy, low, martin, bourg};
        QTest::newRow("prefix finds nothing") << "Option3"
                                              << "PAR" << QStringList{};
    }
    void enterListsTheMatchesSortedWithTheirCount()
    {
        QFETCH(QString, option);
        QFETCH(QString, typed);
        QFETCH(QStringList, lines);
        MainHarness main(kDirectory);
        main.search(qPrintable(option), typed);

        QCOMPARE(main.listLines(), lines);
        QCOMPARE(main.countCaption(), QStringLiteral(" %1 indicatif(s)").arg(lines.size()));
        auto* libelle = main.control<TypingLineEdit>("Libelle");
        QVERIFY(libelle->text().isEmpty());
        QVERIFY(libelle->hasFocus());
        QCOMPARE(main.shared.Texte_Recherche, typed.toUpper());
        QCOMPARE(main.platform.pendingEventPasses, 1);
        const QStringList expectedMessages = lines.isEmpty() ? QStringList{"Recherche sans résultat"} : QStringList{};
        QCOMPARE(main.platform.messageTexts(), expectedMessages);
    }

    void rejectedQueriesKeepTheEarlierResult_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("callsign of 13") << "Option1" << QString(13, 'F')
                                        << "Attention 12 caracteres maxi pour l'indicatif";
        QTest::newRow("empty callsign") << "Option1"
                                        << ""
                                        << "Entrez un indicatif";
        QTest::newRow("surname of 33") << "Option2" << QString(33, 'D') << "Attention 32 caracteres maxi pour le nom";
        QTest::newRow("empty surname") << "Option2"
                                       << ""
                                       << "Entrez un nom";
        QTest::newRow("city of 31") << "Option3" << QString(31, 'P') << "Attention 30 caracteres maxi pour la ville";
        QTest::newRow("empty city") << "Option3"
                                    << ""
                                    << "Entrez une ville";
        QTest::newRow("department of 1") << "Option4"
                                         << "7"
                                         << "Attention 2 caracteres pour le département";
        QTest::newRow("department of 3") << "Option4"
                                         << "750"
                                         << "Attention 2 caracteres pour le département";
        QTest::newRow("empty department") << "Option4"
                                          << ""
                                          << "Attention 2 caracteres pour le département";
        // Never searched as the substitution byte that a damaged line may hold.
        QTest::newRow("character the file cannot hold")
            << "Option1"
            << "ł"
            << "La requête « ł » contient un caractère que l'annuaire ne "
               "peut pas contenir (U+0142) : le fichier est en Windows-1252.";
    }
    void rejectedQueriesKeepTheEarlierResult()
    {
        QFETCH(QString, option);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        const QStringList earlier = main.listLines();
        const QString earlierCount = main.countCaption();
        main.platform.pendingEventPasses = 0;

        main.search(qPrintable(option), typed);
        QCOMPARE(main.platform.messageTexts(), QStringList{message});
        QCOMPARE(main.platform.pendingEventPasses, 0);
        QCOMPARE(main.listLines(), earlier);
        QCOMPARE(main.countCaption(), earlierCount);
        QVERIFY(main.control<TypingLineEdit>("Libelle")->text().isEmpty());
        QCOMPARE(main.shared.Texte_Recherche, typed);
    }

    void boundaryLengthsAreSearched_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("typed");
        QTest::newRow("callsign of 12") << "Option1" << QString(12, 'F');
        QTest::newRow("surname of 32") << "Option2" << QString(32, 'D');
        QTest::newRow("city of 30") << "Option3" << QString(30, 'P');
        QTest::newRow("one space") << "Option3"
                                   << " ";
        QTest::newRow("two spaces as a department") << "Option4"
                                                    << "  ";
        QTest::newRow("overseas department of three digits") << "Option4"
                                                             << "976";
    }
    void boundaryLengthsAreSearched()
    {
        QFETCH(QString, option);
        QFETCH(QString, typed);
        MainHarness main(kDirectory);
        main.search(qPrintable(option), typed);
        QCOMPARE(main.platform.pendingEventPasses, 1);
        QCOMPARE(main.platform.messageTexts(), QStringList{"Recherche sans résultat"});
        QCOMPARE(main.countCaption(), QStringLiteral(" 0 indicatif(s)"));
    }

    void choosingACriterionKeepsTheTextAndTheList_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("Option1") << "Option1"
                                 << "Entrez un indicatif : ";
        QTest::newRow("Option2") << "Option2"
                                 << "Entrez un nom : ";
        QTest::newRow("Option3") << "Option3"
                                 << "Entrez une ville : ";
        QTest::newRow("Option4") << "Option4"
                                 << "Entrez un départemant : ";
    }
    void choosingACriterionKeepsTheTextAndTheList()
    {
        QFETCH(QString, option);
        QFETCH(QString, prompt);
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        auto* libelle = main.control<TypingLineEdit>("Libelle");
        typeText(libelle, QStringLiteral("DUP"));
        main.control<QWidget>("Liste_OM")->setFocus();

        QTest::mouseClick(main.control<QRadioButton>(qPrintable(option)), Qt::LeftButton);
        QCOMPARE(main.control<QLabel>("Label_Recherche")->text(), prompt);
        QCOMPARE(libelle->text(), QStringLiteral("DUP"));
        QVERIFY(libelle->hasFocus());
        QCOMPARE(backgroundColour(libelle), QColor(192, 255, 192));
        QCOMPARE(main.listLines().size(), 4);
        QCOMPARE(main.platform.pendingEventPasses, 1);
    }

    void onlyTypedSmallLettersBecomeCapitals()
    {
        MainHarness main(kDirectory);
        auto* libelle = main.control<TypingLineEdit>("Libelle");
        typeText(libelle, QStringLiteral("ab-é1 zçàœÿßµ÷"));
        QCOMPARE(libelle->text(), QStringLiteral("AB-É1 ZÇÀŒŸßµ÷"));

        libelle->clear();
        QApplication::clipboard()->setText(QStringLiteral("paris"));
        libelle->paste();
        QCOMPARE(libelle->text(), QStringLiteral("paris"));
        QTest::keyClick(libelle, Qt::Key_Return);
        QCOMPARE(main.shared.Texte_Recherche, QStringLiteral("paris"));
    }

    void aSecondEnterDuringTheSearchStartsNothing()
    {
        MainHarness main(kDirectory);
        auto* libelle = main.control<TypingLineEdit>("Libelle");
        int nested = 0;
        main.platform.onPendingEvents = [&] {
            ++nested;
            typeText(libelle, QStringLiteral("NICE"));
            QTest::keyClick(libelle, Qt::Key_Return);
        };
        main.search("Option3", QStringLiteral("PARIS"));
        QCOMPARE(nested, 1);
        QCOMPARE(main.platform.pendingEventPasses, 1);
        QCOMPARE(main.listLines().size(), 4);
        QCOMPARE(main.countCaption(), QStringLiteral(" 4 indicatif(s)"));
        QCOMPARE(main.shared.Texte_Recherche, QStringLiteral("PARIS"));
    }

    void aSecondSearchReplacesTheFirst()
    {
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        main.search("Option3", QStringLiteral("NICE"));
        QCOMPARE(main.listLines().size(), 1);
        QVERIFY(main.listLines().first().startsWith(QStringLiteral("F1ABC       DURAND")));
        QCOMPARE(main.countCaption(), QStringLiteral(" 1 indicatif(s)"));
    }

    void aDirectoryGoneSinceStartUpIsToldAndTheListEmptied()
    {
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        main.folder.removeDirectory();
        main.search("Option3", QStringLiteral("PARIS"));
        QVERIFY(main.listLines().isEmpty());
        QCOMPARE(main.countCaption(), QStringLiteral(" 0 indicatif(s)"));
        QCOMPARE(main.platform.messages.size(), std::size_t{1});
        QVERIFY(main.platform.messages[0].text.contains(QStringLiteral("introuvable")));
        QVERIFY(main.window->isVisible());
    }

    void anEmptyDirectoryFindsNothing()
    {
        MainHarness main(QByteArray{});
        QVERIFY(main.loaded);
        main.search("Option4", QStringLiteral("00"));
        QVERIFY(main.listLines().isEmpty());
        QCOMPARE(main.platform.messageTexts(), QStringList{"Recherche sans résultat"});
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestMainSearch)
#include "test_main_search.moc"
