#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include "printing/qt_printer.h"
#include "support/directory_fixture.h"
#include "support/python_table.h"

namespace dravelin::test {

namespace {

const QString kSheet3x8 = QStringLiteral("A4, 3 × 8 étiquettes de 70 × 37 mm");
const QString kSheet2x7 = QStringLiteral("A4, 2 × 7 étiquettes de 99,1 × 38,1 mm");
const QString kSheetKey = QStringLiteral("Planche Etiquettes");
constexpr double kInnerMargin = 3; // mm kept free inside each label
// An address longer than a 70 mm label is wide, at the editing window's longest (68 characters).
const QByteArray kLongAddress = "12 RESIDENCE DES GRANDS CHENES BATIMENT B ESCALIER 4 APPARTEMENT 128";

// The geometry of a sheet as its maker gives it, in millimetres.
struct Sheet {
    int columns;
    int rows;
    double width;
    double height;
    double left;
    double top;
    double columnPitch;
    double rowPitch;
};
const Sheet k3x8{3, 8, 70, 37, 0, 0.5, 70, 37};
const Sheet k2x7{2, 7, 99.1, 38.1, 4.65, 15.15, 101.6, 38.1};

// Entries of LYON listed in the order of their callsigns F4A00, F4A01...; the entry
// `longAddress` (when not -1) has an address too long for its label.
QByteArray lyonDirectory(int count, int longAddress = -1)
{
    QByteArray bytes = "Base Rev 255  du 11/08/2009\r\n";
    for (int index = 0; index < count; ++index)
        bytes += "F4A" + QByteArray::number(index).rightJustified(2, '0') + ";NOM" + QByteArray::number(index) +
                 ";Prenom;" + (index == longAddress ? kLongAddress : QByteArray("1 rue de la Gare")) + ";LYON;" +
                 (index % 2 ? "69001" : "1000") + "\r\n";
    // Both forms of the orange list, found by city: no label for them.
    bytes += "F4ZZ CET INDICATIF EST ATTRIBUE MAIS;SECRET;Jules;9 rue Cachee;LYON;69002\r\n";
    bytes += "F4ZY;LISTE ORANGE;Anne;8 rue Cachee;LYON;69003\r\n";
    return bytes;
}

// One text of the PDF: page (from 1), font, text, left, right, baseline (mm from the paper's corner).
struct Placed {
    int page;
    QString font;
    QString text;
    double left;
    double right;
    double baseline;
};

std::vector<Placed> placedTexts(const QString& pdf)
{
    std::vector<Placed> placed;
    for (const QStringList& row :
         pythonTable(QStringLiteral(DRAVELIN_PYTHON), {QStringLiteral(DRAVELIN_PDF_PLACED_TEXT), pdf})) {
        if (row.size() != 6) {
            qWarning() << row;
            return {};
        }
        placed.push_back({row[0].toInt(), row[1], row[2], row[3].toDouble(), row[4].toDouble(), row[5].toDouble()});
    }
    return placed;
}

} // namespace

class TestMainLabels : public QObject {
    Q_OBJECT

private slots:
    void labelsArePrintedOnTheSheet_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("longAddress");
        QTest::addColumn<QString>("savedSheet"); // the sheet kept from an earlier run
        QTest::addColumn<int>("sheet");          // chosen in the dialog
        QTest::addColumn<int>("firstLabel");
        QTest::addColumn<int>("pages");
        QTest::newRow("31 labels on 3 x 8 take two pages") << 31 << -1 << "" << 0 << 1 << 2;
        QTest::newRow("a full sheet is one page") << 24 << -1 << "" << 0 << 1 << 1;
        QTest::newRow("from label 5 of a sheet already used") << 3 << -1 << "" << 0 << 5 << 1;
        QTest::newRow("from the last label, then a new sheet") << 2 << -1 << "" << 0 << 24 << 2;
        QTest::newRow("a long address is shortened") << 4 << 2 << "" << 0 << 1 << 1;
        QTest::newRow("2 x 7, proposed from the settings") << 15 << 1 << kSheet2x7 << 1 << 1 << 2;
    }
    void labelsArePrintedOnTheSheet()
    {
        QFETCH(int, entries);
        QFETCH(int, longAddress);
        QFETCH(QString, savedSheet);
        QFETCH(int, sheet);
        QFETCH(int, firstLabel);
        QFETCH(int, pages);
        const Sheet& geometry = sheet == 0 ? k3x8 : k2x7;

        MainHarness main(lyonDirectory(entries, longAddress));
        main.search("Option3", QStringLiteral("LYON"));
        QCOMPARE(main.listLines().size(), entries + 2);
        QTemporaryDir outFolder;
        const QString pdf = outFolder.filePath(QStringLiteral("etiquettes.pdf"));
        main.platform.printer = std::make_unique<QtPrinter>(pdf);
        if (!savedSheet.isEmpty())
            main.platform.writeSetting(QStringLiteral("Annuaire"), QStringLiteral("Setup "), kSheetKey, savedSheet);
        main.platform.labelAnswers.push_back(
            LabelChoice{static_cast<std::size_t>(sheet), static_cast<std::size_t>(firstLabel)});
        main.platform.messages.clear();

        main.control<QAction>("Mnu_Etiquettes")->trigger();

        // The dialog proposed the sheet kept last, from label 1; the choice is kept in its turn.
        QCOMPARE(main.platform.labelDialogs.size(), std::size_t(1));
        QCOMPARE(main.platform.labelDialogs[0].sheet, std::size_t(savedSheet.isEmpty() ? 0 : 1));
        QCOMPARE(main.platform.labelDialogs[0].firstLabel, std::size_t(1));
        QCOMPARE(main.platform.setting(QStringLiteral("Annuaire"), QStringLiteral("Setup "), kSheetKey),
                 sheet == 0 ? kSheet3x8 : kSheet2x7);
        QCOMPARE(main.platform.printerDialogs.size(), std::size_t(1));
        QCOMPARE(main.platform.messageTexts(),
                 QStringList{QStringLiteral("%1 étiquette(s) imprimée(s).\r\n2 entrée(s) en liste orange laissée(s) "
                                            "de côté : leur adresse n'est pas publiée.")
                                 .arg(entries)});

        // Read back from the PDF: four lines a label, in the list's order, each inside its label.
        const std::vector<Placed> texts = placedTexts(pdf);
        QCOMPARE(texts.size(), std::size_t(4 * entries));
        QCOMPARE(texts.back().page, pages);
        for (int label = 0; label < entries; ++label) {
            const int position = firstLabel - 1 + label;
            const int perSheet = geometry.columns * geometry.rows;
            const int page = position / perSheet + 1;
            const int row = position % perSheet / geometry.columns;
            const int column = position % geometry.columns;
            const double left = geometry.left + column * geometry.columnPitch;
            const double top = geometry.top + row * geometry.rowPitch;
            const QString number = QString::number(label).rightJustified(2, QLatin1Char('0'));
            const QString address =
                label == longAddress ? QString::fromLatin1(kLongAddress) : QStringLiteral("1 rue de la Gare");
            const QStringList expected{
                QStringLiteral("F4A") + number, QStringLiteral("Prenom NOM%1").arg(label), address,
                (label % 2 ? QStringLiteral("69001") : QStringLiteral("01000")) + QStringLiteral(" LYON")};
            double previousBaseline = top;
            for (int line = 0; line < 4; ++line) {
                const Placed& text = texts[static_cast<std::size_t>(4 * label + line)];
                const QByteArray where = QStringLiteral("label %1, line %2: %3 at %4-%5, %6 on page %7")
                                             .arg(label)
                                             .arg(line)
                                             .arg(text.text)
                                             .arg(text.left)
                                             .arg(text.right)
                                             .arg(text.baseline)
                                             .arg(text.page)
                                             .toUtf8();
                QVERIFY2(text.page == page, where.constData());
                if (label == longAddress && line == 2) {
                    QVERIFY2(text.text.endsWith(QChar(0x2026)), where.constData());
                    QVERIFY2(address.startsWith(text.text.chopped(1)), where.constData());
                    QVERIFY2(text.text.size() > 20, where.constData());
                } else {
                    QVERIFY2(text.text == expected[line], where.constData());
                }
                QVERIFY2(text.font.contains(QStringLiteral("Bold")) == (line == 0), where.constData());
                QVERIFY2(text.left >= left + kInnerMargin - 0.01, where.constData());
                QVERIFY2(text.right <= left + geometry.width - kInnerMargin + 0.01, where.constData());
                QVERIFY2(text.baseline > previousBaseline, where.constData());
                QVERIFY2(text.baseline <= top + geometry.height - kInnerMargin, where.constData());
                previousBaseline = text.baseline;
            }
        }
        for (const Placed& text : texts)
            QVERIFY2(!text.text.contains(QStringLiteral("F4Z")) && !text.text.contains(QStringLiteral("ORANGE")) &&
                         !text.text.contains(QStringLiteral("Cachee")),
                     qPrintable(text.text));
    }

    // Every way the command ends without labels: nothing reaches the printer.
    void nothingIsPrinted_data()
    {
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<bool>("labelDialogAccepted");
        QTest::addColumn<bool>("printerDialogAccepted");
        QTest::addColumn<int>("labelDialogs");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty list") << QByteArray("Option3") << QByteArray("MARSEILLE") << true << true << 0
                                    << "La liste est vide : aucune étiquette n'a été imprimée.";
        const QString onlyOrange = QStringLiteral(
            "Aucune étiquette n'a été imprimée : les entrées de la liste sont toutes en liste orange, leur adresse "
            "n'est pas publiée.");
        QTest::newRow("only a marked callsign")
            << QByteArray("Option1") << QByteArray("F4ZZ") << true << true << 0 << onlyOrange;
        // Found by surname, the entry stored as LISTE ORANGE is listed in full: still no label.
        QTest::newRow("only a LISTE ORANGE surname listed in full")
            << QByteArray("Option2") << QByteArray("LISTE ORANGE") << true << true << 0 << onlyOrange;
        QTest::newRow("Étiquettes cancelled")
            << QByteArray("Option3") << QByteArray("LYON") << false << true << 1 << "";
        QTest::newRow("printer dialog cancelled")
            << QByteArray("Option3") << QByteArray("LYON") << true << false << 1 << "";
    }
    void nothingIsPrinted()
    {
        QFETCH(QByteArray, option);
        QFETCH(QByteArray, query);
        QFETCH(bool, labelDialogAccepted);
        QFETCH(bool, printerDialogAccepted);
        QFETCH(int, labelDialogs);
        QFETCH(QString, message);
        MainHarness main(lyonDirectory(3));
        main.search(option.constData(), QString::fromLatin1(query));
        if (option == "Option2") // the entry is listed in full, not as "EN LISTE ORANGE"
            QVERIFY(main.listLines().value(0).contains(QStringLiteral("LISTE ORANGE Anne")));
        QTemporaryDir outFolder;
        const QString pdf = outFolder.filePath(QStringLiteral("etiquettes.pdf"));
        main.platform.printer = std::make_unique<QtPrinter>(pdf);
        if (!labelDialogAccepted)
            main.platform.labelAnswers.push_back(std::nullopt);
        main.platform.printerDialogAnswers.push_back(printerDialogAccepted);
        main.platform.messages.clear();

        main.control<QAction>("Mnu_Etiquettes")->trigger();

        QCOMPARE(main.platform.labelDialogs.size(), std::size_t(labelDialogs));
        QCOMPARE(main.platform.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(!QFile::exists(pdf));
    }

    void aPrinterThatRefusesTheLabelsIsTold()
    {
        MainHarness main(lyonDirectory(3));
        main.search("Option3", QStringLiteral("LYON"));
        main.platform.scriptedPrinter().endFailure =
            QStringLiteral("l'imprimante « Bureau » n'accepte pas le document.");
        main.platform.messages.clear();
        main.control<QAction>("Mnu_Etiquettes")->trigger();
        QCOMPARE(
            main.platform.messageTexts(),
            QStringList{"Les étiquettes n'ont pas été imprimées : l'imprimante « Bureau » n'accepte pas le document."});
        QVERIFY(main.platform.scriptedPrinter().labelJobs.empty());
        QCOMPARE(main.platform.scriptedPrinter().proposedPdfNames, QStringList{"Étiquettes Dravelin.pdf"});
    }

    void theCommandSitsOnTheMenuBarUnderItsFrenchName()
    {
        MainHarness main(lyonDirectory(1));
        auto* action = main.control<QAction>("Mnu_Etiquettes");
        QVERIFY(action);
        QMenuBar* bar = main.window->menuBar();
        QVERIFY(bar->actions().contains(action));
        QVERIFY(!action->menu());
        QAccessibleInterface* accessibleBar = QAccessible::queryAccessibleInterface(bar);
        QVERIFY(accessibleBar);
        QStringList names;
        for (int i = 0; i < accessibleBar->childCount(); ++i)
            names << accessibleBar->child(i)->text(QAccessible::Name);
        QVERIFY2(names.contains(QStringLiteral("Imprimer des étiquettes")), qPrintable(names.join(QLatin1Char('|'))));
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestMainLabels)
#include "test_main_labels.moc"
