#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "platform/qt_platform.h"
#include "support/accessibility_checks.h"
#include "support/directory_fixture.h"
#include "widgets/spoken_notice.h"

namespace dravelin::test {

namespace {

const QByteArray kDirectory = crlfLines({
    "Base Rev 255  du 11/08/2009",
    "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002",
    "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001",
});

} // namespace

class TestMainAccessibility : public QObject {
    Q_OBJECT

private slots:

    void everyControlHasAFrenchName_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("Num_Rev") << "Num_Rev"
                                 << "Base Rev 255";
        QTest::newRow("Date_Rev") << "Date_Rev"
                                  << "du 11/08/2009";
        QTest::newRow("Label2") << "Label2"
                                << "Annuaire des radioamateurs Français";
        QTest::newRow("Label3") << "Label3"
                                << "Recherche par : ";
        QTest::newRow("Label_Recherche") << "Label_Recherche"
                                         << "Entrez un indicatif";
        QTest::newRow("Option1") << "Option1"
                                 << "Indicatif";
        QTest::newRow("Option2") << "Option2"
                                 << "Nom";
        QTest::newRow("Option3") << "Option3"
                                 << "Ville";
        QTest::newRow("Option4") << "Option4"
                                 << "Département";
        QTest::newRow("Libelle") << "Libelle"
                                 << "Requête";
        QTest::newRow("Liste_OM") << "Liste_OM"
                                  << "Résultats";
        QTest::newRow("Expert") << "Expert"
                                << "Expert";
        QTest::newRow("Frame2") << "Frame2"
                                << "Recherche";
        QTest::newRow("Frame4") << "Frame4"
                                << "Révision de l'annuaire";
    }
    void everyControlHasAFrenchName()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        MainHarness main(kDirectory);
        QCOMPARE(accessibleName(main.window->findChild<QWidget*>(control)), name);
    }

    void theQueryBoxDescribesItself()
    {
        MainHarness main(kDirectory);
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(main.control<QWidget>("Libelle"));
        QCOMPARE(box->text(QAccessible::Description), QStringLiteral("Entrez une information puis \"Entrée\""));
    }

    void resultLinesAreReadAsTheirTextAndTheCountByTheFrame()
    {
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        auto* frame = main.control<QGroupBox>("Frame3");
        QCOMPARE(accessibleName(frame), QStringLiteral(" 2 indicatif(s)"));

        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(main.control<QListView>("Liste_OM"));
        QVERIFY(list->tableInterface());
        QCOMPARE(list->tableInterface()->rowCount(), 2);
        QAccessibleInterface* first = list->tableInterface()->cellAt(0, 0);
        QCOMPARE(first->text(QAccessible::Name), main.listLines().first());
    }

    void revisionLabelsAreReadWithTheirNewText()
    {
        MainHarness main(kDirectory);
        emit main.shared.revisionChanged(QStringLiteral("Base Rev 256"), QStringLiteral("du 07/12/2026"));
        QCOMPARE(accessibleName(main.control<QLabel>("Num_Rev")), QStringLiteral("Base Rev 256"));
        QCOMPARE(accessibleName(main.control<QLabel>("Date_Rev")), QStringLiteral("du 07/12/2026"));
    }

    void messageBoxesAreAlertsWithTheirText()
    {
        QtPlatform platform;
        QString role;
        QString text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
            role = accessible->role() == QAccessible::AlertMessage ? QStringLiteral("alert") : QStringLiteral("other");
            text = accessible->text(QAccessible::Description);
            box->accept();
        });
        platform.showMessage(nullptr, QStringLiteral("Recherche sans résultat"), MessageButtons::Ok);
        QCOMPARE(role, QStringLiteral("alert"));
        QCOMPARE(text, QStringLiteral("Recherche sans résultat"));
    }

    void theMenuBarOpensFromTheKeyboard()
    {
        MainHarness main(kDirectory);
        QTest::keyClick(main.control<QWidget>("Libelle"), Qt::Key_F10);
        QMenuBar* bar = main.window->menuBar();
        QVERIFY(bar->activeAction());
        QCOMPARE(bar->activeAction()->text(), QStringLiteral("&Fichiers"));
    }

    void everyMenuEntryHasAnAccessKey_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("Fichiers") << "Mnu_Fichier"
                                  << "&Fichiers" << QKeySequence();
        QTest::newRow("Quitter Dravelin") << "Mnu_Quitter"
                                          << "&Quitter Dravelin" << QKeySequence(Qt::CTRL | Qt::Key_Q);
        QTest::newRow("Imprimer la liste") << "Mnu_Imprimer"
                                           << "&Imprimer la liste" << QKeySequence(Qt::CTRL | Qt::Key_P);
        QTest::newRow("Enregistrer la liste") << "Mnu_Enregistrer"
                                              << "&Enregistrer la liste" << QKeySequence();
        QTest::newRow("au format txt") << "Mnu_Enregistrer_txt"
                                       << "au format &txt" << QKeySequence();
        QTest::newRow("au format csv") << "Mnu_Enregistrer_csv"
                                       << "au format &csv" << QKeySequence();
        QTest::newRow("au format tableur") << "Mnu_Enregistrer_tableur"
                                           << "au format ta&bleur" << QKeySequence();
        QTest::newRow("Imprimer des étiquettes") << "Mnu_Etiquettes"
                                                 << "Imprimer des é&tiquettes" << QKeySequence();
        QTest::newRow("Aide") << "Mnu_Aide"
                              << "&Aide" << QKeySequence();
        QTest::newRow("Historique") << "Mnu_Historique"
                                    << "&Historique" << QKeySequence();
        QTest::newRow("Mode d'emploi") << "Mnu_Notice"
                                       << "&Mode d'emploi" << QKeySequence(Qt::Key_F1);
        QTest::newRow("A Propos") << "Mnu_Apropos"
                                  << "A &Propos" << QKeySequence();
    }
    void everyMenuEntryHasAnAccessKey()
    {
        QFETCH(QString, entry);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        MainHarness main(kDirectory);
        QAction* action = main.window->findChild<QAction*>(entry);
        if (auto* menu = main.window->findChild<QMenu*>(entry))
            action = menu->menuAction();
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
        // No other entry of the same menu answers to the same letter.
        const QList<QAction*> siblings =
            action->associatedObjects().isEmpty()
                ? QList<QAction*>{}
                : qobject_cast<QWidget*>(action->associatedObjects().constFirst())->actions();
        for (QAction* sibling : siblings)
            QVERIFY2(sibling == action || QKeySequence::mnemonic(sibling->text()) != QKeySequence::mnemonic(caption),
                     qPrintable(sibling->text()));
    }

    // Each way of reaching a command from the keyboard, from the query box.
    void commandsAreReachedFromTheKeyboard_data()
    {
        QTest::addColumn<QList<QKeyCombination>>("keys");
        QTest::addColumn<QString>("effect");
        const QKeyCombination ctrlP(Qt::ControlModifier, Qt::Key_P);
        const QKeyCombination ctrlQ(Qt::ControlModifier, Qt::Key_Q);
        const QKeyCombination altI(Qt::AltModifier, Qt::Key_I);
        const QKeyCombination altT(Qt::AltModifier, Qt::Key_T);
        const QKeyCombination f10(Qt::Key_F10), right(Qt::Key_Right), down(Qt::Key_Down), enter(Qt::Key_Return);
        QTest::newRow("Ctrl+P prints") << QList<QKeyCombination>{ctrlP} << "printed";
        QTest::newRow("Alt+I prints") << QList<QKeyCombination>{altI} << "printed";
        QTest::newRow("F10, right arrow, Entrée prints") << QList<QKeyCombination>{f10, right, enter} << "printed";
        QTest::newRow("Alt+T prints labels") << QList<QKeyCombination>{altT} << "labels";
        QTest::newRow("F10, right arrows, Entrée prints labels")
            << QList<QKeyCombination>{f10, right, right, right, enter} << "labels";
        QTest::newRow("F10, right arrows, Entrée twice saves")
            << QList<QKeyCombination>{f10, right, right, enter, enter} << "save dialog";
        QTest::newRow("F10, down arrow, Entrée quits") << QList<QKeyCombination>{f10, down, enter} << "closed";
        QTest::newRow("Ctrl+Q quits") << QList<QKeyCombination>{ctrlQ} << "closed";
        QTest::newRow("F1 opens the manual") << QList<QKeyCombination>{QKeyCombination(Qt::Key_F1)} << "manual";
    }
    void commandsAreReachedFromTheKeyboard()
    {
        QFETCH(QList<QKeyCombination>, keys);
        QFETCH(QString, effect);
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        main.platform.messages.clear();
        for (const QKeyCombination key : keys) {
            QWidget* target =
                QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::focusWidget();
            QVERIFY(target);
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
        }
        QCOMPARE(main.platform.scriptedPrinter().printed.size(), std::size_t(effect == "printed" ? 1 : 0));
        QCOMPARE(main.platform.scriptedPrinter().labelJobs.size(), std::size_t(effect == "labels" ? 1 : 0));
        QCOMPARE(main.platform.saveDialogs.size(), std::size_t(effect == "save dialog" ? 1 : 0));
        QCOMPARE(main.platform.helpFilesShown.size(), std::size_t{effect == "manual" ? 1u : 0u});
        QCOMPARE(main.window->isVisible(), effect != "closed");
        QVERIFY(!QApplication::activePopupWidget());
        if (effect == "printed" || effect == "labels") // the walk gives the focus back to the query box
            QCOMPARE(QApplication::focusWidget(), main.control<QWidget>("Libelle"));
    }

    // Whatever way a criterion is chosen, it acts as a click: prompt and focus on the query box.
    void choosingACriterionActsAsAClick_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key"); // 0: the accessibility action of `to`
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("right arrow") << "Option1" << int(Qt::Key_Right) << "Option2"
                                     << "Entrez un nom : ";
        QTest::newRow("down arrow") << "Option3" << int(Qt::Key_Down) << "Option4"
                                    << "Entrez un départemant : ";
        QTest::newRow("left arrow") << "Option2" << int(Qt::Key_Left) << "Option1"
                                    << "Entrez un indicatif : ";
        QTest::newRow("accessibility action") << "Option1" << 0 << "Option3"
                                              << "Entrez une ville : ";
        // The access keys, from the query box itself: none clashes with a menu's (F, I, E, A, T).
        QTest::newRow("Alt+C") << "Option4" << (Qt::ALT | Qt::Key_C).toCombined() << "Option1"
                               << "Entrez un indicatif : ";
        QTest::newRow("Alt+N") << "Option1" << (Qt::ALT | Qt::Key_N).toCombined() << "Option2"
                               << "Entrez un nom : ";
        QTest::newRow("Alt+V") << "Option1" << (Qt::ALT | Qt::Key_V).toCombined() << "Option3"
                               << "Entrez une ville : ";
        QTest::newRow("Alt+D") << "Option1" << (Qt::ALT | Qt::Key_D).toCombined() << "Option4"
                               << "Entrez un départemant : ";
    }
    void choosingACriterionActsAsAClick()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        QFETCH(QString, prompt);
        MainHarness main(kDirectory);
        auto* start = main.window->findChild<QRadioButton*>(from);
        auto* target = main.window->findChild<QRadioButton*>(to);
        start->click();
        start->setFocus();
        const auto accessKey = QKeyCombination::fromCombined(key);
        if (accessKey.keyboardModifiers() & Qt::AltModifier) {
            QWidget* libelle = main.control<QWidget>("Libelle");
            libelle->setFocus();
            auto* notice = main.window->findChild<SpokenNotice*>();
            const int before = notice->announcements();
            QTest::keyClick(libelle, accessKey.key(), accessKey.keyboardModifiers());
            // No focus change speaks the new prompt: the notice does, once.
            QCOMPARE(notice->announcements(), before + 1);
            QCOMPARE(accessibleName(notice), prompt.trimmed());
        } else if (key) {
            QTest::keyClick(start, Qt::Key(key));
        } else {
            QAccessibleActionInterface* actions = QAccessible::queryAccessibleInterface(target)->actionInterface();
            QVERIFY(actions);
            QVERIFY(!actions->actionNames().isEmpty());
            actions->doAction(actions->actionNames().constFirst());
        }
        QVERIFY(target->isChecked());
        QCOMPARE(main.control<QLabel>("Label_Recherche")->text(), prompt);
        QCOMPARE(QApplication::focusWidget(), main.control<QWidget>("Libelle"));
        typeText(QApplication::focusWidget(), QStringLiteral("75"));
        QCOMPARE(main.control<QLineEdit>("Libelle")->text(), QStringLiteral("75"));
    }

    // Each search is told where the focus is, once, the same outcome twice told twice, by a
    // notification that Orca speaks as it appears (the Orca test hears it); the query box keeps
    // the focus and its description keeps no outcome, to be read again when the focus returns.
    void eachSearchIsToldOnTheQueryBox_data()
    {
        QTest::addColumn<QStringList>("queries");
        QTest::addColumn<QString>("told");
        QTest::newRow("two found") << QStringList{"PARIS"} << " 2 indicatif(s)";
        QTest::newRow("nothing found") << QStringList{"LYON"} << "Recherche sans résultat";
        QTest::newRow("found after nothing") << QStringList{"LYON", "PARIS"} << " 2 indicatif(s)";
        QTest::newRow("the same twice") << QStringList{"PARIS", "PARIS"} << " 2 indicatif(s)";
    }
    void eachSearchIsToldOnTheQueryBox()
    {
        QFETCH(QStringList, queries);
        QFETCH(QString, told);
        MainHarness main(kDirectory);
        main.control<QRadioButton>("Option3")->click();
        QWidget* libelle = main.control<QWidget>("Libelle");
        auto* notice = main.window->findChild<SpokenNotice*>();
        QVERIFY(notice);
        QCOMPARE(QAccessible::queryAccessibleInterface(notice)->role(), QAccessible::Notification);
        const int before = notice->announcements();
        for (const QString& query : queries) {
            typeText(libelle, query);
            QTest::keyClick(libelle, Qt::Key_Return);
        }
        QCOMPARE(notice->announcements() - before, queries.size());
        QCOMPARE(accessibleName(notice), told);
        QVERIFY(notice->isVisible());
        QVERIFY(notice->size().isEmpty()); // nothing shown
        QVERIFY(libelle->hasFocus());
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(libelle);
        QCOMPARE(box->text(QAccessible::Description),
                 QStringLiteral("Entrez une ville : Entrez une information puis \"Entrée\""));
    }

    // Nothing invisible takes the focus: Shift+Tab from the query box goes to the criteria.
    void shiftTabFromTheQueryBoxReachesTheCriteria()
    {
        MainHarness main(kDirectory);
        QWidget* libelle = main.control<QWidget>("Libelle");
        libelle->setFocus();
        QTest::keyClick(libelle, Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(qobject_cast<QRadioButton*>(QApplication::focusWidget()));
        QVERIFY(!main.window->findChild<QWidget*>(QStringLiteral("Main_defilement"))->focusPolicy());
    }

    // A chord with Alt is a command: it types nothing into the query box, under the capitals
    // rule or not. AltGr (Ctrl+Alt on Windows) still types its character.
    void altChordsTypeNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        QTest::newRow("Alt+Z") << (Qt::ALT | Qt::Key_Z).toCombined() << "z"
                               << "";
        QTest::newRow("Alt+1") << (Qt::ALT | Qt::Key_1).toCombined() << "1"
                               << "";
        QTest::newRow("Alt+é") << (Qt::ALT | Qt::Key_Eacute).toCombined() << "é"
                               << "";
        QTest::newRow("AltGr+E") << (Qt::CTRL | Qt::ALT | Qt::Key_E).toCombined() << "€"
                                 << "€";
        QTest::newRow("z alone") << int(Qt::Key_Z) << "z"
                                 << "Z";
    }
    void altChordsTypeNothing()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(QString, typed);
        MainHarness main(kDirectory);
        auto* libelle = main.control<QLineEdit>("Libelle");
        libelle->setFocus();
        const auto chord = QKeyCombination::fromCombined(key);
        QKeyEvent press(QEvent::KeyPress, chord.key(), chord.keyboardModifiers(), text);
        QApplication::sendEvent(libelle, &press);
        QCOMPARE(libelle->text(), typed);
    }

    // The selected line is drawn in the list's highlight colours: they stand at least 4.5:1
    // apart, with the focus in the list or elsewhere.
    void theSelectedLineIsReadable_data()
    {
        QTest::addColumn<bool>("listFocused");
        QTest::newRow("list with the focus") << true;
        QTest::newRow("focus in the query box") << false;
    }
    void theSelectedLineIsReadable()
    {
        QFETCH(bool, listFocused);
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        auto* list = main.control<QListView>("Liste_OM");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Space);
        QVERIFY(list->selectionModel()->isSelected(list->currentIndex()));
        if (!listFocused)
            main.control<QWidget>("Libelle")->setFocus();
        const QPalette::ColorGroup group = listFocused ? QPalette::Active : QPalette::Inactive;
        const double ratio = contrast(list->palette().color(group, QPalette::Highlight),
                                      list->palette().color(group, QPalette::HighlightedText));
        QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
    }

    // Lines wider than the list scroll sideways on their own, but moving from line to line
    // keeps the callsign column in view.
    void movingBetweenLinesKeepsTheCallsigns_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Down") << int(Qt::Key_Down);
        QTest::newRow("End") << int(Qt::Key_End);
        QTest::newRow("Page Down") << int(Qt::Key_PageDown);
        QTest::newRow("Up after End") << int(Qt::Key_Up);
        QTest::newRow("Home after End") << int(Qt::Key_Home);
    }
    void movingBetweenLinesKeepsTheCallsigns()
    {
        QFETCH(int, key);
        const QByteArray longAddress(120, 'A');
        MainHarness main(
            crlfLines({"Base Rev 255  du 11/08/2009", "F1ABC;DUPONT;Jean;" + longAddress + ";PARIS;75002",
                       "F2ABC;DURAND;Luc;" + longAddress + ";PARIS;75002", "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001"}));
        main.search("Option3", QStringLiteral("PARIS"));
        auto* list = main.control<QListView>("Liste_OM");
        list->resize(300, list->height());
        list->doItemsLayout(); // the lines' widths, which the view otherwise lays out later
        QVERIFY(list->horizontalScrollBar()->maximum() > 0);
        list->setFocus();
        if (key == Qt::Key_Up || key == Qt::Key_Home)
            QTest::keyClick(list, Qt::Key_End);
        // The user has scrolled to the end of the long lines, then moves to another line.
        list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
        QTest::keyClick(list, Qt::Key(key));
        QCOMPARE(list->horizontalScrollBar()->value(), 0);
    }

    void theListIsWalkedWithTheArrowKeys()
    {
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        auto* list = main.control<QListView>("Liste_OM");
        QTest::keyClick(main.control<QWidget>("Libelle"), Qt::Key_Tab);
        QVERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex().row(), 1);
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestMainAccessibility)
#include "test_main_accessibility.moc"
