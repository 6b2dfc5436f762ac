#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "platform/qt_platform.h"
#include "support/directory_fixture.h"

namespace dravelin::test {

namespace {

const QByteArray kDirectory = crlfLines({
    "Base Rev 255  du 11/08/2009",
    "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002",
    "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001",
});

QString accessibleName(QObject* object)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

} // namespace

class TestMainAccessibility : public QObject {
    Q_OBJECT

private slots:

    void everyControlHasAFrenchName_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("Num_Rev") << "Num_Rev" << "Base Rev 255";
        QTest::newRow("Date_Rev") << "Date_Rev" << "du 11/08/2009";
        QTest::newRow("Label2") << "Label2" << "Annuaire des radioamateurs Français";
        QTest::newRow("Label3") << "Label3" << "Recherche par : ";
        QTest::newRow("Label_Recherche") << "Label_Recherche" << "Entrez un indicatif";
        QTest::newRow("Option1") << "Option1" << "Indicatif";
        QTest::newRow("Option2") << "Option2" << "Nom";
        QTest::newRow("Option3") << "Option3" << "Ville";
        QTest::newRow("Option4") << "Option4" << "Département";
        QTest::newRow("Libelle") << "Libelle" << "Requête";
        QTest::newRow("Liste_OM") << "Liste_OM" << "Résultats";
        QTest::newRow("Expert") << "Expert" << "Expert";
        QTest::newRow("Frame2") << "Frame2" << "Recherche";
        QTest::newRow("Frame4") << "Frame4" << "Révision de l'annuaire";
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
        QCOMPARE(bar->activeAction()->text(), QStringLiteral("Fichiers"));
    }

    void theCriterionIsChosenWithTheArrowKeys()
    {
        MainHarness main(kDirectory);
        auto* option1 = main.control<QRadioButton>("Option1");
        option1->setFocus();
        QTest::keyClick(option1, Qt::Key_Right);
        QVERIFY(main.control<QRadioButton>("Option2")->isChecked());
        QCOMPARE(main.control<QLabel>("Label_Recherche")->text(), QStringLiteral("Entrez un nom : "));
        // The arrows keep the focus in the group, so that the next arrow goes on; Tab leads
        // back to the query box.
        QTest::keyClick(main.control<QRadioButton>("Option2"), Qt::Key_Right);
        QVERIFY(main.control<QRadioButton>("Option3")->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(main.control<QWidget>("Libelle")->hasFocus());
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
