#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "platform/qt_printer.h"
#include "support/python_table.h"

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

QString listLine(int index)
{
    return QStringLiteral("F%1      DUPONT Jean                             12 rue Haute  75002 PARIS").arg(100000 + index);
}

void printCourierJob(QtPrinter& printer, int lines, const QString& pageFoot = QString())
{
    printer.setFontName(QStringLiteral("Courier New"));
    printer.setFontBold(true);
    printer.setFontSize(7);
    if (!pageFoot.isEmpty())
        printer.setPageFoot(pageFoot);
    printer.printLine(QStringLiteral("Ville PARIS"));
    printer.printLine(QString());
    for (int index = 0; index < lines; ++index)
        printer.printLine(listLine(index));
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
        QTest::newRow("one page") << 3 << "page %1 / %2";
        QTest::newRow("several pages") << 600 << "page %1 / %2";
        QTest::newRow("a job without a foot") << 600 << "";
    }
    void everyPageCarriesItsNumberAtItsFoot()
    {
        QFETCH(int, lines);
        QFETCH(QString, pageFoot);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("liste.pdf"));
        QtPrinter printer(pdf);
        printCourierJob(printer, lines, pageFoot);
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
            expected << listLine(index);
        QCOMPARE(printed, expected);

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
