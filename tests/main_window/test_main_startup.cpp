#include <QAccessible>
#include <QDebug>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <utility>

#include "database/directory_file.h"
#include "support/caption_fit.h"
#include "support/directory_fixture.h"
#include "support/file_faults.h"
#include "widgets/colours.h"
#include "widgets/typing_line_edit.h"

namespace dravelin::test {

namespace {
const QByteArray kRevision = "Base Rev 255  du 11/08/2009";

// Gives the window's client area the size it was drawn at, whatever the test screen's size.
void resizeClient(Main& window, const QSize& client)
{
    window.resize(client.width(), client.height() + window.menuBar()->height());
    QCoreApplication::sendPostedEvents();
    window.layout()->activate();
}

const QSize kDesignedClient(923, 457);
} // namespace

class TestMainStartup : public QObject {
    Q_OBJECT

private slots:
    void showsTheRevisionCaptionAndInitialState()
    {
        MainHarness main(crlfLines({kRevision, "F1ABC;DUPONT;Jean;1 rue A;PARIS;75001"}));
        QVERIFY(main.loaded);
        QVERIFY(main.window->isVisible());
        QCOMPARE(main.window->windowTitle(), QStringLiteral("  Dravelin    Revision  1.0.5"));
        QCOMPARE(main.control<QLabel>("Num_Rev")->text(), QStringLiteral("Base Rev 255"));
        QCOMPARE(main.control<QLabel>("Date_Rev")->text(), QStringLiteral("du 11/08/2009"));
        QCOMPARE(main.control<QLabel>("Titre")->text(), QStringLiteral("Indicatif") + QString(3, ' ') +
                                                            QStringLiteral("Nom Prenom") + QString(30, ' ') +
                                                            QStringLiteral("Adresse"));
        QCOMPARE(main.shared.Version_Programme, QStringLiteral(" 1.0.5"));
        QVERIFY(main.shared.Texte_Historique.startsWith(QStringLiteral("V1.0.1   le 15/09/2009 création\r\n")));
        QVERIFY(main.shared.Texte_Historique.endsWith(
            QString(23, ' ') + QStringLiteral("Ajouté enregistrement au format txt et csv\r\n"
                                              "V1.0.5   le 16/06/2010 Modification selection recherche\r\n")));
        QCOMPARE(main.shared.Texte_Historique.count(QStringLiteral("\r\n")), 6);

        QVERIFY(main.control<QRadioButton>("Option1")->isChecked());
        QCOMPARE(main.control<QLabel>("Label_Recherche")->text(), QStringLiteral("Entrez un indicatif"));
        auto* libelle = main.control<TypingLineEdit>("Libelle");
        QVERIFY(libelle->text().isEmpty());
        QVERIFY(libelle->hasFocus());
        QCOMPARE(backgroundColour(libelle), QColor(192, 255, 192));
        QCOMPARE(libelle->toolTip(), QStringLiteral("Entrez une information puis \"Entrée\""));
        QCOMPARE(main.control<QListView>("Liste_OM")->model()->rowCount(), 0);
        QVERIFY(main.countCaption().isEmpty());
        QVERIFY(!main.control<QPushButton>("Expert")->isVisible());
        QVERIFY(main.platform.messages.empty());
    }

    void writesBothSettingsAfterShowing()
    {
        MainHarness main(crlfLines({kRevision}));
        QCOMPARE(main.platform.settingsWritten.size(), std::size_t{2});
        const auto& [folderKey, folder] = main.platform.settingsWritten[0];
        QCOMPARE(folderKey, (ScriptedPlatform::SettingKey{"Annuaire", "Setup ", "Chemin Repertoire"}));
        QCOMPARE(folder, QDir::toNativeSeparators(main.folder.path()));
        const auto& [revisionKey, revision] = main.platform.settingsWritten[1];
        QCOMPARE(revisionKey, (ScriptedPlatform::SettingKey{"Annuaire", "Setup ", "Revision Annuaire"}));
        QCOMPARE(revision, QStringLiteral("Base Rev 255"));
    }

    void revisionLabelsShowWhatAShortOrOddLineHolds_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("date");
        QTest::newRow("short line") << QByteArray("Base Rev\r\n") << "Base Rev"
                                    << "Base Rev";
        QTest::newRow("empty file") << QByteArray() << ""
                                    << "";
        QTest::newRow("accented bytes") << QByteArray("R\xE9vision 1  du 01/01/2010\r\n") << "Révision 1  "
                                        << "du 01/01/2010";
        QTest::newRow("lone LF") << QByteArray("Base Rev 007  du 01/02/2026\nF1A;;;;;") << "Base Rev 007"
                                 << "du 01/02/2026";
    }
    void revisionLabelsShowWhatAShortOrOddLineHolds()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, label);
        QFETCH(QString, date);
        MainHarness main(file);
        QVERIFY(main.loaded);
        QCOMPARE(main.control<QLabel>("Num_Rev")->text(), label);
        QCOMPARE(main.control<QLabel>("Date_Rev")->text(), date);
    }

    void missingDirectoryStopsBeforeShowingAnything()
    {
        ProgramFolder folder(QByteArray{});
        folder.removeDirectory();
        ScriptedPlatform platform(toFilesystemPath(folder.path()));
        Sous_Programmes shared;
        Main window(platform, shared);
        QVERIFY(!window.loadWindow());
        QVERIFY(!window.isVisible());
        QVERIFY(platform.settingsWritten.empty());
        QCOMPARE(platform.messages.size(), std::size_t{1});
        const QString text = platform.messages[0].text;
        QVERIFY2(text.contains(QStringLiteral("Annuaire_Amat.csv")), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(folder.path())), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("introuvable")), qPrintable(text));
    }

    void aProgramFolderWhoseNameIsNotUtf8IsUsedByItsBytes_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("directory file present") << true;
        QTest::newRow("directory file missing") << false;
    }
    void aProgramFolderWhoseNameIsNotUtf8IsUsedByItsBytes()
    {
#ifdef _WIN32
        QSKIP("Windows names folders in UTF-16: every name is valid there");
#else
        QFETCH(bool, present);
        // Copied from a system that wrote names in Latin-1.
        TemporaryFolder root;
        const std::filesystem::path folder = root.path() / std::filesystem::path(std::string("caf\xE9"));
        std::filesystem::create_directory(folder);
        if (present)
            writeBytes(directoryFilePath(folder),
                       crlfLines({kRevision, "F1ABC;DUPONT;Jean;1 rue A;PARIS;75001"}).toStdString());
        ScriptedPlatform platform(folder);
        Sous_Programmes shared;
        Main window(platform, shared);
        QCOMPARE(window.loadWindow(), present);
        // Shown with its Latin-1 byte read as the letter it stands for.
        const QString shown = QString::fromStdString(root.path().string()) + QStringLiteral("/café");
        if (!present) {
            QCOMPARE(
                platform.messageTexts(),
                QStringList{QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » est introuvable dans le "
                                           "dossier « %1 ».\r\nDravelin ne peut pas démarrer sans lui.")
                                .arg(shown)});
            return;
        }
        QVERIFY(platform.messages.empty());
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Num_Rev"))->text(), QStringLiteral("Base Rev 255"));
        QCOMPARE(platform.setting("Annuaire", "Setup ", "Chemin Repertoire"), shown);
        // The search reads the same file.
        QTest::mouseClick(window.findChild<QRadioButton*>(QStringLiteral("Option3")), Qt::LeftButton);
        auto* libelle = window.findChild<TypingLineEdit*>(QStringLiteral("Libelle"));
        typeText(libelle, QStringLiteral("PARIS"));
        QTest::keyClick(libelle, Qt::Key_Return);
        QCOMPARE(window.findChild<QListView*>(QStringLiteral("Liste_OM"))->model()->rowCount(), 1);
        QVERIFY(platform.messages.empty());
#endif
    }

    void controlsSitWhereTheyWereDrawn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("Frame4") << "Frame4" << QRect(8, 8, 105, 57);
        QTest::newRow("Num_Rev") << "Num_Rev" << QRect(8, 16, 89, 17);
        QTest::newRow("Frame3") << "Frame3" << QRect(8, 72, 905, 329);
        QTest::newRow("Liste_OM") << "Liste_OM" << QRect(24, 112, 873, 274);
        QTest::newRow("Option4") << "Option4" << QRect(352, 16, 81, 17);
        QTest::newRow("Libelle") << "Libelle" << QRect(664, 416, 193, 19);
        QTest::newRow("Expert") << "Expert" << QRect(864, 416, 41, 25);
        QTest::newRow("Label_Recherche") << "Label_Recherche" << QRect(472, 16, 169, 17);
    }
    void controlsSitWhereTheyWereDrawn()
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        MainHarness main(crlfLines({kRevision}));
        resizeClient(*main.window, kDesignedClient);
        QCOMPARE(main.control<QWidget>("Main_client")->size(), kDesignedClient);
        auto* widget = main.window->findChild<QWidget*>(name);
        QVERIFY(widget);
        QVERIFY2(sitsAsDrawn(widget, pixels), qPrintable(QDebug::toString(widget->geometry())));
        const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible && !accessible->text(QAccessible::Name).isEmpty());
    }

    // The window opens within the screen, even one smaller than the size it was drawn at.
    void theWindowFitsTheScreen()
    {
        MainHarness main(crlfLines({kRevision}));
        const QRect screen = main.window->screen()->availableGeometry();
        QVERIFY2(screen.contains(main.window->frameGeometry()),
                 qPrintable(QDebug::toString(main.window->frameGeometry()) + QDebug::toString(screen)));
        QVERIFY(main.window->minimumSizeHint().width() <= 640);
        QVERIFY(main.window->minimumSizeHint().height() <= 480);
    }

    // The list and its frame take what the window gains or loses; the search band stays at
    // the bottom with the query box at the right. Narrower than one row of the band, the prompt
    // and the query box go on a second row under the criteria: the window never scrolls
    // sideways (at 200 % on a 1280 x 1024 screen it is 640 pixels wide); below the smallest
    // height it scrolls up and down.
    void controlsFollowTheWindowSize_data()
    {
        QTest::addColumn<QSize>("grown");
        QTest::addColumn<bool>("twoRows");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("larger") << QSize(200, 120) << false << false;
        QTest::newRow("smaller") << QSize(-20, -100) << false << false;
        QTest::newRow("a little narrower only") << QSize(-25, 0) << true << false;
        QTest::newRow("as wide as 1280 pixels at 200 %") << QSize(-303, -40) << true << false;
        QTest::newRow("smaller than the smallest layout") << QSize(-400, -300) << true << true;
    }
    void controlsFollowTheWindowSize()
    {
        QFETCH(QSize, grown);
        QFETCH(bool, twoRows);
        QFETCH(bool, scrolls);
        MainHarness main(crlfLines({kRevision}));
        resizeClient(*main.window, kDesignedClient + grown);
        auto* client = main.control<QWidget>("Main_client");
        const QSize shown = client->size() - kDesignedClient; // the client stops at its smallest size
        QCOMPARE(shown == grown, !scrolls);
        // The width always follows the window's, less an up-and-down scroll bar.
        QVERIFY(shown.width() <= grown.width() && shown.width() >= grown.width() - 30);
        auto* scroller = main.control<QScrollArea>("Main_defilement");
        QVERIFY(scroller);
        QVERIFY(!scroller->horizontalScrollBar()->isVisible());
        QCOMPARE(scroller->verticalScrollBar()->isVisible(), scrolls);
        const auto place = [&](const char* name) { return main.control<QWidget>(name)->geometry(); };
        const int secondRow = place("Frame2").height() - 49;
        QCOMPARE(secondRow > 0, twoRows);
        QCOMPARE(place("Liste_OM"), QRect(24, 112, 873 + shown.width(), 274 + shown.height() - secondRow));
        QCOMPARE(place("Frame3"), QRect(8, 72, 905 + shown.width(), 329 + shown.height() - secondRow));
        QCOMPARE(place("Frame2").topLeft(), QPoint(8, 400 + shown.height() - secondRow));
        QCOMPARE(place("Frame4"), QRect(8, 8, 105, 57));
        QCOMPARE(place("Option1").topLeft(), QPoint(136, 16));
        if (twoRows) {
            QCOMPARE(place("Libelle").top(), place("Frame2").top() + 16 + secondRow);
            QVERIFY(place("Label_Recherche").top() > place("Option4").bottom());
            QVERIFY(place("Libelle").right() < client->width());
        } else {
            QCOMPARE(place("Libelle"), QRect(664 + shown.width(), 416 + shown.height(), 193, 19));
            QVERIFY(place("Label_Recherche").left() > place("Option4").right());
        }
        // Nothing overlaps the criteria, and every caption still shows whole.
        const QStringList clipped = clippedCaptions(main.window.get());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
    }

    // A line longer than the list scrolls sideways; the heading, in the list's fixed-pitch
    // face, stays over the columns as it does.
    void longLinesScrollSidewaysUnderTheirHeading()
    {
        MainHarness main(crlfLines({kRevision, "F0AA CET INDICATIF EST ATTRIBUE MAIS;X;;;PARIS;75001",
                                    "F1ABC;DUPONT;Jean;" + QByteArray(60, 'R') + ";PARIS;75002"}));
        main.search("Option3", QStringLiteral("PARIS"));
        auto* list = main.control<QListView>("Liste_OM");
        QCOMPARE(list->model()->rowCount(), 2);
        auto* heading = main.control<QLabel>("Titre");
        QCOMPARE(QFontInfo(heading->font()).family(), QFontInfo(list->font()).family());
        QVERIFY(QFontInfo(heading->font()).fixedPitch());

        const QString longLine = list->model()->index(1, 0).data().toString();
        const int lineWidth = list->fontMetrics().horizontalAdvance(longLine);
        QVERIFY(lineWidth > list->viewport()->width());
        list->doItemsLayout(); // as the view does before it paints
        QScrollBar* sideways = list->horizontalScrollBar();
        QVERIFY2(sideways->maximum() >= lineWidth - list->viewport()->width(),
                 qPrintable(QString::number(sideways->maximum())));

        for (const int scrolled : {0, sideways->maximum()}) {
            sideways->setValue(scrolled);
            // The text of the lines starts where the heading's does, on screen.
            const QRect row = list->visualRect(list->model()->index(1, 0));
            const int lineStart = list->viewport()->mapToGlobal(row.topLeft()).x() +
                                  list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
            const int headingStart = heading->mapToGlobal(heading->contentsRect().topLeft()).x();
            QCOMPARE(headingStart, lineStart);
        }
        // Each word of the heading stands over the first character of its column.
        for (const auto& [word, column] :
             {std::pair{QStringLiteral("Nom Prenom"), 12}, {QStringLiteral("Adresse"), 52}}) {
            const int wordStart =
                heading->fontMetrics().horizontalAdvance(heading->text().left(heading->text().indexOf(word)));
            QCOMPARE(wordStart, list->fontMetrics().horizontalAdvance(longLine.left(column)));
        }
    }

    // In the fonts actually installed, every caption shows whole.
    void noCaptionIsClipped_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("at start") << "";
        for (const char* option : {"Option1", "Option2", "Option3", "Option4"})
            QTest::newRow(option) << QString::fromLatin1(option);
    }
    void noCaptionIsClipped()
    {
        QFETCH(QString, option);
        MainHarness main(crlfLines({kRevision}));
        if (!option.isEmpty())
            main.window->findChild<QRadioButton*>(option)->click(); // each prompt in its turn
        main.control<QPushButton>("Expert")->show();
        const QStringList clipped = clippedCaptions(main.window.get());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
    }

    void fontsKeepTheirKindWhereTheFaceIsMissing()
    {
        MainHarness main(crlfLines({kRevision}));
        const QFontInfo list(main.control<QListView>("Liste_OM")->font());
        QVERIFY2(list.fixedPitch(), qPrintable(list.family()));
        QCOMPARE(list.pointSizeF(), 9.0);
        const QFontInfo title(main.control<QLabel>("Label2")->font());
        QVERIFY(title.bold());
        QCOMPARE(title.pointSizeF(), 18.0);
        QCOMPARE(backgroundColour(main.control<QListView>("Liste_OM")), QColor(255, 255, 192));
        QVERIFY(!main.control<QLabel>("Label1")->isEnabled());
    }

    void menuBarHoldsTheEntriesInOrder()
    {
        MainHarness main(crlfLines({kRevision}));
        QStringList captions;
        for (QAction* action : main.window->menuBar()->actions())
            captions << action->text().remove(QLatin1Char('&')); // the access keys: see the accessibility test
        QCOMPARE(captions, (QStringList{"Fichiers", "Imprimer la liste", "Enregistrer la liste",
                                        "Imprimer des étiquettes", "Aide"}));
        for (const char* name : {"Mnu_Quitter", "Mnu_Imprimer", "Mnu_Enregistrer_txt", "Mnu_Enregistrer_csv",
                                 "Mnu_Etiquettes", "Mnu_Historique", "Mnu_Notice", "Mnu_Apropos"})
            QVERIFY2(main.window->findChild<QAction*>(QString::fromLatin1(name)), name);
    }

    void tabGoesFromTheQueryToTheListThenTheCriteria()
    {
        MainHarness main(crlfLines({kRevision}));
        QWidget* libelle = main.control<QWidget>("Libelle");
        QCOMPARE(libelle->nextInFocusChain(), main.control<QWidget>("Liste_OM"));
        QTest::keyClick(libelle, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), main.control<QWidget>("Liste_OM"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), main.control<QWidget>("Option1"));
    }

    void quitClosesTheWindowWithoutAQuestion()
    {
        MainHarness main(crlfLines({kRevision}));
        main.window->findChild<QAction*>(QStringLiteral("Mnu_Quitter"))->trigger();
        QVERIFY(!main.window->isVisible());
        QVERIFY(main.platform.messages.empty());
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestMainStartup)
#include "test_main_startup.moc"
