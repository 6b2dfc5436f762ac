#include <QApplication>
#include <QClipboard>
#include <QDebug>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "support/caption_fit.h"
#include "support/editing_fixture.h"
#include "widgets/colours.h"
#include "widgets/twips.h"

namespace dravelin::test {

namespace {

const QByteArray kDirectory = crlfLines({
    "Base Rev 255  du 11/08/2009",
    "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001",
    "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000",
});

const QColor kOpen(192, 255, 192);
const QColor kDone(255, 255, 192);

QColor buttonFace()
{
    return QGuiApplication::palette().color(QPalette::Button);
}

QPoint centredOnScreen(const QWidget* window)
{
    const QRect area = QGuiApplication::primaryScreen()->geometry();
    return {area.x() + (area.width() - window->frameGeometry().width()) / 2,
            area.y() + (area.height() - window->frameGeometry().height()) / 2};
}

} // namespace

class TestAjoutIndicatif : public QObject {
    Q_OBJECT

private slots:
    void everyControlAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("accessibleName");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("enabled");
        const QString window = QStringLiteral("Ajout_Indicatif");
        QTest::newRow("Modifier") << "Modifier" << window << "Modifier"
                                  << "Modifier" << twipsRect(4920, 3960, 975, 375) << true;
        QTest::newRow("Supprimer") << "Supprimer" << window << "Supprimer"
                                   << "Supprimer" << twipsRect(3840, 3960, 975, 375) << true;
        QTest::newRow("Ajouter") << "Ajouter" << window << "Ajouter"
                                 << "Ajouter" << twipsRect(2760, 3960, 975, 375) << true;
        QTest::newRow("Enregistrer") << "Enregistrer" << window << "Enregistrer"
                                     << "Enregistrer" << twipsRect(6000, 3960, 975, 375) << false;
        QTest::newRow("Frame1") << "Frame1" << window << ""
                                << "En-tête" << twipsRect(1320, 0, 5895, 735) << true;
        QTest::newRow("Label4") << "Label4"
                                << "Frame1"
                                << "Modification de la base de données"
                                << "Modification de la base de données" << twipsRect(120, 240, 5655, 375) << true;
        QTest::newRow("Ind_B") << "Ind_B" << window << ""
                               << "Indicatif" << twipsRect(1320, 1200, 1695, 285) << true;
        QTest::newRow("Pre_B") << "Pre_B" << window << ""
                               << "Prenom" << twipsRect(1320, 2160, 3255, 285) << true;
        QTest::newRow("Adr_B") << "Adr_B" << window << ""
                               << "Adresse" << twipsRect(1320, 2640, 6615, 285) << true;
        QTest::newRow("Vil_B") << "Vil_B" << window << ""
                               << "Ville" << twipsRect(1320, 3120, 3975, 285) << true;
        QTest::newRow("Cod_B") << "Cod_B" << window << ""
                               << "Code postal" << twipsRect(1320, 3600, 855, 285) << true;
        QTest::newRow("Nom_B") << "Nom_B" << window << ""
                               << "Nom" << twipsRect(1320, 1680, 3255, 285) << true;
        QTest::newRow("Quitter") << "Quitter" << window << "Quitter"
                                 << "Quitter" << twipsRect(7080, 3960, 855, 375) << true;
        QTest::newRow("Frame2") << "Frame2" << window << ""
                                << "Fiche" << twipsRect(120, 840, 8055, 3735) << true;
        QTest::newRow("Label2") << "Label2"
                                << "Frame2"
                                << "Indicatif"
                                << "Indicatif" << twipsRect(240, 360, 855, 255) << true;
        QTest::newRow("Label5") << "Label5"
                                << "Frame2"
                                << "Ville"
                                << "Ville" << twipsRect(480, 2280, 615, 255) << true;
        QTest::newRow("Label6") << "Label6"
                                << "Frame2"
                                << "Prenom"
                                << "Prenom" << twipsRect(360, 1320, 735, 255) << true;
        QTest::newRow("Label7") << "Label7"
                                << "Frame2"
                                << "Nom"
                                << "Nom" << twipsRect(480, 840, 615, 255) << true;
        QTest::newRow("Label8") << "Label8"
                                << "Frame2"
                                << "Code postal"
                                << "Code postal" << twipsRect(240, 2760, 855, 255) << true;
        QTest::newRow("Label9") << "Label9"
                                << "Frame2"
                                << "Adresse"
                                << "Adresse" << twipsRect(360, 1800, 735, 255) << true;
    }
    void everyControlAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QString, caption);
        QFETCH(QString, accessibleName);
        QFETCH(QRect, geometry);
        QFETCH(bool, enabled);
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        auto* control = editing.control<QWidget>(qPrintable(name));
        QVERIFY(control);
        QCOMPARE(control->parentWidget()->objectName(), container);
        QVERIFY2(sitsAsDrawn(control, geometry), qPrintable(QDebug::toString(control->geometry())));
        QCOMPARE(control->isEnabled(), enabled);
        QCOMPARE(control->accessibleName(), accessibleName);
        if (auto* button = qobject_cast<QPushButton*>(control))
            QCOMPARE(button->text(), caption);
        else if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), caption);
        else if (auto* frame = qobject_cast<QGroupBox*>(control))
            QCOMPARE(frame->title(), caption);
        if (auto* box = qobject_cast<FieldLineEdit*>(control)) {
            QVERIFY(box->isReadOnly()); // shows the entry, readable, until Ajouter or Modifier
            QCOMPARE(backgroundColour(box), kDone);
            QCOMPARE(box->maxLength(), 32767); // no limit of its own: the chain checks lengths
        }
    }

    // In the fonts actually installed, every caption shows whole.
    void noCaptionIsClipped()
    {
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        const QStringList clipped = clippedCaptions(editing.window());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
    }

    void windowCaptionSizeLabelsAndTabOrder()
    {
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        Ajout_Indicatif* window = editing.window();
        QCOMPARE(window->windowTitle(), QStringLiteral("Modification la base de données"));
        QCOMPARE(window->size(), QSize(twipsToPixels(8295), twipsToPixels(4695)));
        auto* heading = editing.control<QLabel>("Label4");
        QVERIFY(heading->font().bold());
        QCOMPARE(heading->font().pointSizeF(), 12.0);
        QCOMPARE(heading->alignment(), Qt::AlignCenter);
        // Each field label lines up with its box: the label's top plus the frame's 840 twips.
        const std::pair<const char*, const char*> labelled[] = {{"Label2", "Ind_B"}, {"Label7", "Nom_B"},
                                                                {"Label6", "Pre_B"}, {"Label9", "Adr_B"},
                                                                {"Label5", "Vil_B"}, {"Label8", "Cod_B"}};
        for (const auto& [label, box] : labelled) {
            QCOMPARE(editing.control<QLabel>(label)->buddy(), static_cast<QWidget*>(editing.box(box)));
            QVERIFY(editing.control<QLabel>(label)->alignment() & Qt::AlignRight);
        }

        // Tab follows the reading order, with every box and button enabled.
        editing.click("Ajouter");
        for (const char* name : kBoxNames)
            editing.box(name)->setReadOnly(false);
        editing.control<QPushButton>("Enregistrer")->setEnabled(true);
        const QStringList expected = {"Ind_B",   "Nom_B",     "Pre_B",    "Adr_B",       "Vil_B",   "Cod_B",
                                      "Ajouter", "Supprimer", "Modifier", "Enregistrer", "Quitter", "Ind_B"};
        QStringList visited = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void opensCentredWithTheEntryReadOnly()
    {
        MainHarness main(kDirectory);
        main.shared.editor.setModified(true);
        Editing editing(main);
        editing.open(QStringLiteral("F8BRG"));
        QVERIFY(editing.window()->isVisible());
        QVERIFY(!editing.window()->isModal());
        QCOMPARE(editing.window()->frameGeometry().topLeft(), centredOnScreen(editing.window()));
        QVERIFY(!main.shared.editor.modified());
        QCOMPARE(editing.boxTexts(), (QStringList{"F8BRG", "BOURG", "Marc", "2 place D", "BOURG EN BRESSE", "1000"}));
        auto* enregistrer = editing.control<QPushButton>("Enregistrer");
        QVERIFY(!enregistrer->isEnabled());
        QCOMPARE(backgroundColour(enregistrer), buttonFace());
    }

    // Enregistrer is light green only while it takes the input next.
    void aDisabledEnregistrerIsNeverGreen_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Ajouter") << "Ajouter";
        QTest::newRow("Supprimer") << "Supprimer";
        QTest::newRow("Enregistrer") << "Enregistrer";
    }
    void aDisabledEnregistrerIsNeverGreen()
    {
        QFETCH(QString, button);
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Modifier");
        editing.walk({"F6ZZZ", "MARTIN", "PAUL", "1 RUE A", "PARIS", "75001"});
        auto* enregistrer = editing.control<QPushButton>("Enregistrer");
        QVERIFY(enregistrer->isEnabled());
        QCOMPARE(backgroundColour(enregistrer), kOpen);
        editing.click(qPrintable(button));
        QVERIFY(!enregistrer->isEnabled());
        QCOMPARE(backgroundColour(enregistrer), buttonFace());
    }

    void openingAgainWhileLoadedKeepsTheState()
    {
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        main.shared.editor.setModified(true); // as after a save
        editing.window()->move(10, 20);
        QTest::mouseClick(main.control<QPushButton>("Expert"), Qt::LeftButton);
        QVERIFY(main.shared.editor.modified());
        QCOMPARE(editing.window()->pos(), QPoint(10, 20));
    }

    void everyLoadRunsTheLoadStepAgain_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Quitter") << false;
        QTest::newRow("close box") << true;
    }
    void everyLoadRunsTheLoadStepAgain()
    {
        QFETCH(bool, closeBox);
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Modifier");
        editing.walk({"F6ZZZ", "MARTIN", "Paul", "1 rue A", "PARIS", "75001"});
        QVERIFY(main.shared.editor.modificationPending());
        editing.window()->move(10, 20);
        if (closeBox)
            QVERIFY(editing.window()->close());
        else
            editing.click("Quitter");
        QVERIFY(!editing.window()->isVisible());
        QVERIFY(!editing.window()->isLoaded());
        QVERIFY(main.platform.messages.empty()); // nothing stored: no prompt

        main.shared.editor.setModified(true);
        main.search("Option1", QStringLiteral("F8BRG"));
        clickLine(main, 0);
        QTest::mouseClick(main.control<QPushButton>("Expert"), Qt::LeftButton);
        QCOMPARE(editing.window()->frameGeometry().topLeft(), centredOnScreen(editing.window()));
        QVERIFY(!main.shared.editor.modified());
        QVERIFY(!main.shared.editor.modificationPending()); // a pending modification ends with the window
        for (const char* name : kBoxNames) {
            QVERIFY(!isOpenForInput(editing.box(name)));
            QCOMPARE(backgroundColour(editing.box(name)), kDone);
        }
        QVERIFY(!editing.control<QPushButton>("Enregistrer")->isEnabled());
        QCOMPARE(editing.box("Ind_B")->text(), QStringLiteral("F8BRG"));
        QCOMPARE(main.folder.directoryBytes(), kDirectory);
    }

    void enterWithATooLongOrShortFieldIsRefused_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("callsign of 13") << 0 << QString(13, 'F') << "12 caracteres maxi pour l'indicatif";
        QTest::newRow("surname of 33") << 1 << QString(33, 'D') << "32 caracteres maxi pour le nom";
        QTest::newRow("first name of 24") << 2 << QString(24, 'J') << "23 caracteres maxi pour le prenom";
        QTest::newRow("address of 69") << 3 << QString(69, 'R') << "68 caracteres maxi pour l'adresse";
        QTest::newRow("city of 37") << 4 << QString(37, 'P') << "36 caracteres maxi pour la ville";
        QTest::newRow("postcode of 4") << 5 << QStringLiteral("7500") << "5 caracteres pour le code postal";
        QTest::newRow("postcode of 6") << 5 << QStringLiteral("750011") << "5 caracteres pour le code postal";
        QTest::newRow("empty postcode") << 5 << QString() << "5 caracteres pour le code postal";
    }
    void enterWithATooLongOrShortFieldIsRefused()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Ajouter");
        const QStringList valid = {"F1NEW", "NOUVEAU", "JEAN", "1 RUE A", "PARIS", "75001"};
        editing.walk(valid.mid(0, field));
        editing.enter(kBoxNames[field], text);

        QCOMPARE(main.platform.messageTexts(), QStringList{message});
        FieldLineEdit* box = editing.box(kBoxNames[field]);
        QCOMPARE(box->text(), text); // typed in full, refused only at Enter
        QVERIFY(box->hasFocus());
        QCOMPARE(backgroundColour(box), kOpen);
        if (field < 5)
            QVERIFY(!isOpenForInput(editing.box(kBoxNames[field + 1])));
        else
            QVERIFY(!editing.control<QPushButton>("Enregistrer")->isEnabled());
    }

    void enterPassesAFieldAndOpensTheNext_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("callsign of 12") << 0 << QString(12, 'F');
        QTest::newRow("empty callsign") << 0 << QString();
        QTest::newRow("surname of 32") << 1 << QString(32, 'D');
        QTest::newRow("empty surname") << 1 << QString();
        QTest::newRow("first name of 23") << 2 << QString(23, 'J');
        QTest::newRow("empty first name") << 2 << QString();
        QTest::newRow("address of 68") << 3 << QString(68, 'R');
        QTest::newRow("empty address") << 3 << QString();
        QTest::newRow("city of 36") << 4 << QString(36, 'P');
        QTest::newRow("empty city") << 4 << QString();
        QTest::newRow("postcode of 5 letters") << 5 << QStringLiteral("ABCDE");
        QTest::newRow("accented city of 36") << 4 << QString(36, QChar(0xC9));
    }
    void enterPassesAFieldAndOpensTheNext()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Ajouter");
        editing.walk(QStringList{"F1NEW", "NOUVEAU", "JEAN", "1 RUE A", "PARIS"}.mid(0, field));
        editing.enter(kBoxNames[field], text);

        QVERIFY(main.platform.messages.empty());
        QCOMPARE(backgroundColour(editing.box(kBoxNames[field])), kDone);
        QVERIFY(isOpenForInput(editing.box(kBoxNames[field])));
        QWidget* next = field < 5 ? static_cast<QWidget*>(editing.box(kBoxNames[field + 1]))
                                  : editing.control<QPushButton>("Enregistrer");
        QVERIFY(field < 5 ? isOpenForInput(editing.box(kBoxNames[field + 1])) : next->isEnabled());
        QCOMPARE(backgroundColour(next), kOpen);
        QVERIFY(next->hasFocus());
    }

    void typedLettersBecomeCapitalsAndSemicolonsAreDropped_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("callsign") << 0 << "f1abc;"
                                  << "F1ABC";
        QTest::newRow("surname") << 1 << "dupont;martin"
                                 << "DUPONTMARTIN";
        QTest::newRow("first name") << 2 << "jean-luc"
                                    << "JEAN-LUC";
        QTest::newRow("address") << 3 << "12 rue de l'été"
                                 << "12 RUE DE L'ÉTÉ";
        QTest::newRow("city") << 4 << "évreux"
                              << "ÉVREUX";
        QTest::newRow("accented first name") << 2 << "rémi"
                                             << "RÉMI";
        QTest::newRow("every accented small letter") << 3 << "àâçèéêëîïôöùûüÿœšž"
                                                     << "ÀÂÇÈÉÊËÎÏÔÖÙÛÜŸŒŠŽ";
        QTest::newRow("sharp s and micro sign stay") << 4 << "straße µ"
                                                     << "STRAßE µ";
        QTest::newRow("postcode") << 5 << "7;5001"
                                  << "75001";
    }
    void typedLettersBecomeCapitalsAndSemicolonsAreDropped()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Ajouter");
        editing.walk(QStringList{"F1NEW", "NOUVEAU", "JEAN", "1 RUE A", "PARIS"}.mid(0, field));
        FieldLineEdit* box = editing.box(kBoxNames[field]);
        typeText(box, typed);
        QCOMPARE(box->text(), shown);
    }

    void pastedTextKeepsItsCaseButCannotCarryASeparator_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("message");
        QTest::newRow("semicolon in the surname")
            << 1 << "DUPONT;JEAN"
            << "Le caractère « ; » n'est pas permis dans le champ « Nom » : il sépare les champs de l'annuaire.";
        QTest::newRow("semicolon in the postcode") << 5 << "7500;"
                                                   << "Le caractère « ; » n'est pas permis dans le champ « Code postal "
                                                      "» : il sépare les champs de l'annuaire.";
        QTest::newRow("line break in the address") << 3 << "1 rue A\nBât. B"
                                                   << "Le champ « Adresse » ne peut pas contenir de retour à la ligne.";
        QTest::newRow("character outside Windows-1252")
            << 4 << "ŁÓDŹ"
            << "Le champ « Ville » contient un caractère que le fichier de l'annuaire ne peut pas enregistrer.";
        QTest::newRow("small letters stay small") << 2 << "jean"
                                                  << "";
        QTest::newRow("euro sign is stored") << 3 << "€ 12"
                                             << "";
    }
    void pastedTextKeepsItsCaseButCannotCarryASeparator()
    {
        QFETCH(int, field);
        QFETCH(QString, pasted);
        QFETCH(QString, message);
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Ajouter");
        editing.walk(QStringList{"F1NEW", "NOUVEAU", "JEAN", "1 RUE A", "PARIS"}.mid(0, field));
        FieldLineEdit* box = editing.box(kBoxNames[field]);
        QApplication::clipboard()->setText(pasted);
        box->paste();
        QCOMPARE(box->text(), pasted);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(main.platform.messageTexts(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(box->hasFocus(), !message.isEmpty());
    }

    void enterAgainInAPassedBoxMovesOnWithoutTouchingLaterBoxes()
    {
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F6ZZZ"));
        editing.click("Ajouter");
        editing.walk({"F1NEW", "NOUVEAU", "JEAN"});
        editing.enter("Nom_B", QStringLiteral("AUTRE"));
        QVERIFY(editing.box("Pre_B")->hasFocus());
        QCOMPARE(backgroundColour(editing.box("Pre_B")), kOpen);
        QCOMPARE(editing.box("Pre_B")->text(), QStringLiteral("JEAN"));
        QVERIFY(isOpenForInput(editing.box("Adr_B"))); // opened by the first pass, still open
        QCOMPARE(backgroundColour(editing.box("Adr_B")), kOpen);
        QVERIFY(!isOpenForInput(editing.box("Vil_B")));
        // A refused Enter in a passed box leaves everything else alone.
        editing.enter("Ind_B", QString(13, 'X'));
        QCOMPARE(main.platform.messageTexts(), QStringList{"12 caracteres maxi pour l'indicatif"});
        QVERIFY(editing.box("Ind_B")->hasFocus());
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestAjoutIndicatif)
#include "test_ajout_indicatif.moc"
