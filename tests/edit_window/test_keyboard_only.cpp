#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

#include "support/accessibility_checks.h"
#include "support/editing_fixture.h"
#include "widgets/colours.h"
#include "widgets/spoken_notice.h"

namespace dravelin::test {

namespace {

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, key, modifiers);
}

// Tabs through the window until `name` has the focus; false when the chain never reaches it.
bool tabTo(const QString& name)
{
    for (int step = 0; step < 20; ++step) {
        if (QApplication::focusWidget() && QApplication::focusWidget()->objectName() == name)
            return true;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return false;
}

} // namespace

class TestKeyboardOnly : public QObject {
    Q_OBJECT

private slots:
    // Every step of a modification, from the search to the revision bump, without a mouse.
    void aWholeModificationFromTheKeyboard()
    {
        MainHarness main(crlfLines({"Base Rev 255  du 11/08/2009", "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001",
                                    "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002"}));
        Editing editing(main);
        typeText(main.control<QWidget>("Libelle"), QStringLiteral("f1abc"));
        press(Qt::Key_Return);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Liste_OM"));
        press(Qt::Key_Space);
        QCOMPARE(QString::fromLatin1(main.shared.Ligne_OM.c_str()).left(12), QStringLiteral("F1ABC       "));

        press(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Expert"));
        press(Qt::Key_Space);
        QVERIFY(editing.window() && editing.window()->isVisible());
        QApplication::setActiveWindow(editing.window());
        QCOMPARE(editing.boxTexts(), (QStringList{"F1ABC", "DUPONT", "Jean", "12 rue Haute", "PARIS", "75002"}));

        QVERIFY(tabTo(QStringLiteral("Modifier")));
        press(Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), editing.box("Ind_B"));
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), editing.box("Nom_B"));
        press(Qt::Key_End);
        typeText(QApplication::focusWidget(), QStringLiteral("-durand"));
        for (int field = 1; field < 6; ++field)
            press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), editing.control<QWidget>("Enregistrer"));
        press(Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), editing.control<QWidget>("Quitter"));

        main.platform.answers = {MessageAnswer::Yes};
        press(Qt::Key_Space);
        QVERIFY(!editing.window()->isVisible());
        QCOMPARE(main.folder.directoryBytes(),
                 crlfLines({"Base Rev 256  du 07/12/2026", "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001",
                            "F1ABC;DUPONT-DURAND;Jean;12 rue Haute;PARIS;75002"}));
    }

    // Entrée on a push button that has the focus presses it, as Space does.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("button");
        for (const char* button : {"Modifier", "Enregistrer", "Ajouter", "Supprimer", "Quitter", "Expert"})
            QTest::newRow(button) << QString::fromLatin1(button);
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, button);
        MainHarness main(crlfLines({"Base Rev 255  du 11/08/2009", "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002"}));
        Editing editing(main);
        editing.open(QStringLiteral("F1ABC"));
        if (button == QLatin1String("Enregistrer")) {
            editing.click("Modifier");
            editing.walk({"F1ABC", "DUPONT", "JEAN", "12 RUE HAUTE", "PARIS", "75002"});
        }
        QWidget* window = button == QLatin1String("Expert") ? static_cast<QWidget*>(main.window.get())
                                                            : static_cast<QWidget*>(editing.window());
        QApplication::setActiveWindow(window);
        auto* target = window->findChild<QPushButton*>(button);
        QVERIFY(target && target->isEnabled());
        target->setFocus();
        QVERIFY(target->hasFocus());
        QSignalSpy pressed(target, &QPushButton::clicked);
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(pressed.count(), 1);
    }

    // Before Modifier the entry is read in six read-only boxes reached with Tab: a screen
    // reader reads them, the text stands out from the box, and keys change nothing.
    void theEntryIsReadBeforeModifier()
    {
        MainHarness main(crlfLines({"Base Rev 255  du 11/08/2009", "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002"}));
        Editing editing(main);
        editing.open(QStringLiteral("F1ABC"));
        editing.control<QWidget>("Quitter")->setFocus();
        QStringList reached;
        for (int step = 0; step < 12; ++step) {
            press(Qt::Key_Tab);
            if (auto* box = qobject_cast<FieldLineEdit*>(QApplication::focusWidget())) {
                reached << box->objectName();
                QVERIFY(box->isReadOnly());
                QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
                QVERIFY(!accessible->state().disabled);
                QVERIFY(accessible->state().readOnly);
                QVERIFY(accessible->textInterface());
                QAccessibleTextInterface* text = accessible->textInterface();
                QCOMPARE(text->text(0, text->characterCount()), box->text());
                const double ratio = contrast(box->palette().color(box->foregroundRole()), backgroundColour(box));
                QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
            }
        }
        reached.removeDuplicates();
        QCOMPARE(reached.size(), 6);

        FieldLineEdit* ind = editing.box("Ind_B");
        ind->setFocus();
        typeText(ind, QStringLiteral("x"));
        press(Qt::Key_Return);
        QCOMPARE(ind->text(), QStringLiteral("F1ABC"));
        QVERIFY(ind->hasFocus());
        QVERIFY(editing.box("Nom_B")->isReadOnly());
        QVERIFY(main.platform.messages.empty());

        editing.click("Modifier");
        QVERIFY(!ind->isReadOnly());
        QVERIFY(ind->hasFocus());
        QVERIFY(editing.box("Nom_B")->isReadOnly());
    }

    // Each change to the file is told to screen readers where the focus is, by a notification
    // that Orca speaks (the Orca test hears it); nothing new is shown and nothing is asked.
    void eachChangeIsTold_data()
    {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QStringList>("typed"); // the six fields walked after the first button
        QTest::addColumn<QString>("told");
        QTest::newRow("Supprimer") << QStringList{"Supprimer"} << QStringList() << "Entrée F1ABC supprimée";
        QTest::newRow("Ajouter, Enregistrer")
            << QStringList{"Ajouter", "Enregistrer"}
            << QStringList{"F6NEW", "NOUVEAU", "LUC", "2 RUE B", "LYON", "69001"} << "Entrée F6NEW enregistrée";
        QTest::newRow("Modifier, Enregistrer")
            << QStringList{"Modifier", "Enregistrer"}
            << QStringList{"F1ABC", "DUPONT", "JEAN", "12 RUE HAUTE", "PARIS", "75002"} << "Entrée F1ABC enregistrée";
        QTest::newRow("Quitter raising the revision")
            << QStringList{"Modifier", "Enregistrer", "Quitter"}
            << QStringList{"F1ABC", "DUPONT", "JEAN", "12 RUE HAUTE", "PARIS", "75002"} << "Révision 256 enregistrée";
    }
    void eachChangeIsTold()
    {
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, typed);
        QFETCH(QString, told);
        MainHarness main(crlfLines({"Base Rev 255  du 11/08/2009", "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002"}));
        Editing editing(main);
        editing.open(QStringLiteral("F1ABC"));
        auto* notice = editing.window()->findChild<SpokenNotice*>();
        QVERIFY(notice);
        QCOMPARE(QAccessible::queryAccessibleInterface(notice)->role(), QAccessible::Notification);
        main.platform.answers = {MessageAnswer::Yes};
        for (const QString& button : buttons) {
            editing.click(button.toLatin1().constData());
            if (button == buttons.first() && !typed.isEmpty())
                editing.walk(typed);
        }
        QCOMPARE(notice->announcements(), buttons.count(QStringLiteral("Supprimer")) +
                                              buttons.count(QStringLiteral("Enregistrer")) +
                                              buttons.count(QStringLiteral("Quitter")));
        QCOMPARE(accessibleName(notice), told);
        QVERIFY(notice->size().isEmpty());
        // Only the revision's own question, which Quitter always asked.
        QCOMPARE(main.platform.messages.size(), std::size_t(buttons.contains(QStringLiteral("Quitter")) ? 1 : 0));
    }

    void everyControlOfTheEditingWindowHasAFrenchName_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const QStringList plain = {"Ajouter", "Supprimer", "Modifier", "Enregistrer", "Quitter"};
        for (const QString& button : plain)
            QTest::newRow(qPrintable(button)) << button << button;
        QTest::newRow("Ind_B") << "Ind_B"
                               << "Indicatif";
        QTest::newRow("Nom_B") << "Nom_B"
                               << "Nom";
        QTest::newRow("Pre_B") << "Pre_B"
                               << "Prenom";
        QTest::newRow("Adr_B") << "Adr_B"
                               << "Adresse";
        QTest::newRow("Vil_B") << "Vil_B"
                               << "Ville";
        QTest::newRow("Cod_B") << "Cod_B"
                               << "Code postal";
        QTest::newRow("Label4") << "Label4"
                                << "Modification de la base de données";
        QTest::newRow("Label8") << "Label8"
                                << "Code postal";
    }
    void everyControlOfTheEditingWindowHasAFrenchName()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        MainHarness main(crlfLines({"Base Rev 255  du 11/08/2009", "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002"}));
        Editing editing(main);
        editing.open(QStringLiteral("F1ABC"));
        QCOMPARE(accessibleName(editing.window()->findChild<QWidget*>(control)), name);
        QCOMPARE(accessibleName(editing.window()), QStringLiteral("Modification la base de données"));
        // A window of its own for screen readers (a frame), not a filler.
        QCOMPARE(QAccessible::queryAccessibleInterface(editing.window())->role(), QAccessible::Window);
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestKeyboardOnly)
#include "test_keyboard_only.moc"
