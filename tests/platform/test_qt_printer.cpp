#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "printing/qt_printer.h"
#include "support/python_table.h"
#include "widgets/fonts.h"

namespace dravelin {

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int pdfPageCount(const QByteArray& pdf)
{
    // Each page object carries "/Type /Page"; the page tree carries "/Type /Pages".
    static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(pageObject));
}

// A wide line is wider than the page: a long address, then a word longer than a printed line.
QString listLine(int index, bool wide = false)
{
    QString line = QStringLiteral("F%1      DUPONT Jean                             12 rue Haute  75002 PARIS")
                       .arg(100000 + index);
    if (wide)
        line += QStringLiteral(" RESIDENCE DES GRANDS CHENES BATIMENT %1 ESCALIER B  ").arg(index) +
                QString(150, QLatin1Char('X'));
    return line;
}

void printCourierJob(QtPrinter& printer, int lines, const QString& pageFoot = QString(), bool wide = false)
{
    printer.setFontName(QStringLiteral("Courier New"));
    printer.setFontBold(true);
    printer.setFontSize(7);
    if (!pageFoot.isEmpty())
        printer.setPageFoot(pageFoot);
    printer.setWrapIndent(12);
    printer.printLine(QStringLiteral("Ville PARIS"));
    printer.printLine(QString());
    for (int index = 0; index < lines; ++index)
        printer.printLine(listLine(index, wide));
}

// How many characters of the printout's face fit across the page.
int charactersAcrossThePage(QtPrinter& printer)
{
    QFont font = courierNew(7);
    font.setBold(true);
    const QFontMetrics metrics(font, &printer.device());
    return printer.device().width() / metrics.horizontalAdvance(QLatin1Char('M'));
}

// The texts drawn on each page, as a PDF reader outside Qt finds them.
QList<QStringList> pdfTexts(const QString& pdf)
{
    return test::pythonTable(QStringLiteral(DRAVELIN_PYTHON), {QStringLiteral(DRAVELIN_PDF_TEXT), pdf});
}

} // namespace

class TestQtPrinter : public QObject {
    Q_OBJECT

private slots:
    void pagesBreakByThemselves_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("severalPages");
        QTest::newRow("a short list fits one page") << 3 << false;
        QTest::newRow("several hundred lines") << 600 << true;
    }
    void pagesBreakByThemselves()
    {
        QFETCH(int, lines);
        QFETCH(bool, severalPages);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("liste.pdf"));
        QtPrinter printer(pdf);
        printCourierJob(printer, lines);
        QCOMPARE(printer.endJob(), std::optional<QString>());

        const QByteArray bytes = fileBytes(pdf);
        QVERIFY(bytes.startsWith("%PDF"));
        const int pages = pdfPageCount(bytes);
        QVERIFY2(severalPages ? pages > 1 : pages == 1, qPrintable(QString::number(pages)));
    }

    void everyPageCarriesItsNumberAtItsFoot_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("pageFoot");
        QTest::addColumn<bool>("wide");
        QTest::newRow("one page") << 3 << "page %1 / %2" << false;
        QTest::newRow("several pages") << 600 << "page %1 / %2" << false;
        QTest::newRow("a job without a foot") << 600 << "" << false;
        QTest::newRow("lines wider than the page, one page") << 3 << "page %1 / %2" << true;
        QTest::newRow("lines wider than the page, several pages") << 300 << "page %1 / %2" << true;
    }
    void everyPageCarriesItsNumberAtItsFoot()
    {
        QFETCH(int, lines);
        QFETCH(QString, pageFoot);
        QFETCH(bool, wide);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("liste.pdf"));
        QtPrinter printer(pdf);
        printCourierJob(printer, lines, pageFoot, wide);
        QCOMPARE(printer.endJob(), std::optional<QString>());

        const QList<QStringList> pages = pdfTexts(pdf);
        QCOMPARE(pages.size(), pdfPageCount(fileBytes(pdf)));
        QStringList printed; // every text but the feet, in order
        for (int page = 0; page < pages.size(); ++page) {
            QStringList texts = pages[page];
            if (!pageFoot.isEmpty()) {
                QVERIFY(!texts.isEmpty());
                QCOMPARE(texts.takeLast(), QStringLiteral("page %1 / %2").arg(page + 1).arg(pages.size()));
            }
            printed += texts;
        }
        // The heading stays on the first page alone, and every line is printed once, in order.
        QStringList expected{QStringLiteral("Ville PARIS")};
        for (int index = 0; index < lines; ++index)
            expected << listLine(index, wide);
        // Every printed line fits across the page; a wide line goes on over the next ones,
        // so that its text is there whole, in order.
        const int across = charactersAcrossThePage(printer);
        QVERIFY(listLine(0, true).size() > across);
        QVERIFY(listLine(0, false).size() <= across);
        for (const QString& text : printed)
            QVERIFY2(text.size() <= across,
                     qPrintable(QStringLiteral("%1 > %2: %3").arg(text.size()).arg(across).arg(text)));
        if (wide) {
            QVERIFY(printed.size() >= 3 * lines);
            const auto withoutSpaces = [](const QStringList& texts) {
                return texts.join(QString()).remove(QLatin1Char(' '));
            };
            QCOMPARE(withoutSpaces(printed), withoutSpaces(expected));
        } else {
            QCOMPARE(printed, expected);
        }

        // The foot belongs to its job: the next one has none unless it asks again.
        printer.printLine(QStringLiteral("Nom DUPONT"));
        QCOMPARE(printer.endJob(), std::optional<QString>());
        QCOMPARE(pdfTexts(pdf), (QList<QStringList>{{QStringLiteral("Nom DUPONT")}}));
    }

    void courierNewFallsBackOnABoldFixedPitchFace()
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("liste.pdf"));
        QtPrinter printer(pdf);
        printCourierJob(printer, 1);
        QCOMPARE(printer.endJob(), std::optional<QString>());
        static const QRegularExpression baseFont(QStringLiteral("/BaseFont\\s*/(\\S+)"));
        const QRegularExpressionMatch match = baseFont.match(QString::fromLatin1(fileBytes(pdf)));
        QVERIFY(match.hasMatch());
        const QString face = match.captured(1);
        QVERIFY2(face.contains(QRegularExpression(QStringLiteral("Courier|Mono"))), qPrintable(face));
        QVERIFY2(face.contains(QStringLiteral("Bold")), qPrintable(face));
    }

    void aDiscardedJobLeavesNothing()
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("liste.pdf"));
        QtPrinter printer(pdf);
        printCourierJob(printer, 10);
        printer.discardJob();
        QCOMPARE(printer.endJob(), std::optional<QString>());
        QVERIFY(!QFile::exists(pdf));

        // The next job starts clean.
        printer.printLine(QStringLiteral("Nom DUPONT"));
        QCOMPARE(printer.endJob(), std::optional<QString>());
        QCOMPARE(pdfPageCount(fileBytes(pdf)), 1);
    }

    // Without a printer the job goes to a PDF file, proposed in a folder that exists, under the
    // name the command proposes; a name the user chose stays.
    void withoutAPrinterThePdfIsProposedInAFolderThatExists_data()
    {
        QTest::addColumn<bool>("documentsFolder");
        QTest::addColumn<QString>("proposal"); // none when empty
        QTest::addColumn<QString>("chosen");   // the name the user chose in the dialog; none when empty
        QTest::addColumn<QString>("expected");
        const QString list = QStringLiteral("Liste Dravelin.pdf");
        const QString labels = QStringLiteral("Étiquettes Dravelin.pdf");
        QTest::newRow("in the documents folder") << true << QString() << QString() << list;
        QTest::newRow("in the home folder when there is no documents folder")
            << false << QString() << QString() << list;
        QTest::newRow("the labels under their own name") << true << labels << QString() << labels;
        QTest::newRow("the list again after the labels") << false << list << QString() << list;
        QTest::newRow("a name the user chose stays")
            << true << labels << QStringLiteral("mien.pdf") << QStringLiteral("mien.pdf");
    }
    void withoutAPrinterThePdfIsProposedInAFolderThatExists()
    {
        QFETCH(bool, documentsFolder);
        QFETCH(QString, proposal);
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("this machine has a printer");
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir home;
        const QByteArray homeBefore = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        if (documentsFolder)
            QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Documents")));

        QtPrinter printer;
        qputenv("HOME", homeBefore);
        const QString folder = documentsFolder ? QDir(home.path()).filePath(QStringLiteral("Documents")) : home.path();
        if (!chosen.isEmpty())
            printer.device().setOutputFileName(QDir(folder).filePath(chosen));
        if (!proposal.isEmpty()) {
            printer.proposePdfName(QStringLiteral("Étiquettes Dravelin.pdf"));
            printer.proposePdfName(proposal);
        }
        QCOMPARE(printer.device().outputFileName(), QDir(folder).filePath(expected));
    }

    void anOutputThatCannotBeWrittenIsTold()
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("absent/liste.pdf"));
        QtPrinter printer(pdf);
        printCourierJob(printer, 3);
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        const std::optional<QString> failure = printer.endJob();
        QVERIFY(failure);
        QVERIFY2(failure->contains(pdf), qPrintable(*failure));
    }
};

} // namespace dravelin

QTEST_MAIN(dravelin::TestQtPrinter)
#include "test_qt_printer.moc"
