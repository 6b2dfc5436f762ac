#include "printing/qt_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <utility>

#include "widgets/fonts.h"

namespace dravelin {

namespace {

// The printout face; where it is missing, courierNew() falls back on a metric-compatible one.
const QString kCourierNew = QStringLiteral("Courier New");

// How many characters from the start of the text fit in `width`; at least one, so that a
// page narrower than a character still moves on.
qsizetype fittingCharacters(const QString& text, const QFontMetrics& metrics, int width)
{
    qsizetype fits = 1;
    qsizetype tooMany = text.size() + 1;
    while (tooMany - fits > 1) {
        const qsizetype middle = fits + (tooMany - fits) / 2;
        if (metrics.horizontalAdvance(text.left(middle)) <= width)
            fits = middle;
        else
            tooMany = middle;
    }
    return fits;
}

// The printed lines of one line of text: the text itself when it fits the page's width, else
// as much as fits, broken after a word where one ends there, and the rest on the next lines,
// which start `indent` further in.
std::vector<QString> wrappedPieces(const QString& text, const QFontMetrics& metrics, int width, int indent)
{
    if (indent >= width / 2)
        indent = 0;
    std::vector<QString> pieces;
    QString rest = text;
    int room = width;
    while (metrics.horizontalAdvance(rest) > room) {
        const qsizetype fits = fittingCharacters(rest, metrics, room);
        // The last space among the characters that fit, or the one just after them.
        qsizetype cut = rest.lastIndexOf(QLatin1Char(' '), fits);
        if (cut <= 0 || rest.left(cut).trimmed().isEmpty())
            cut = fits;
        pieces.push_back(rest.left(cut));
        while (pieces.back().endsWith(QLatin1Char(' ')))
            pieces.back().chop(1);
        rest = rest.mid(cut);
        while (rest.startsWith(QLatin1Char(' ')))
            rest.remove(0, 1);
        room = width - indent;
        if (rest.isEmpty())
            return pieces;
    }
    pieces.push_back(rest);
    return pieces;
}

} // namespace

QtPrinter::QtPrinter() : printer_(QPrinter::HighResolution)
{
    const QFont initial = QGuiApplication::font();
    fontName_ = initial.family();
    if (initial.pointSizeF() > 0)
        fontSize_ = static_cast<float>(initial.pointSizeF());
    updateFont();
    // Without any printer the list can still be kept on paper later: the printer dialog
    // offers a PDF file, proposed in the user's documents.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        // A documents folder that was never made cannot take the file: the home folder then.
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QDir::homePath();
        printer_.setOutputFormat(QPrinter::PdfFormat);
        proposedPdf_ = QDir(folder).filePath(QStringLiteral("Liste Dravelin.pdf"));
        printer_.setOutputFileName(proposedPdf_);
    }
}

void QtPrinter::proposePdfName(const QString& fileName)
{
    if (proposedPdf_.isEmpty() || printer_.outputFormat() != QPrinter::PdfFormat ||
        printer_.outputFileName() != proposedPdf_)
        return;
    proposedPdf_ = QFileInfo(proposedPdf_).dir().filePath(fileName);
    printer_.setOutputFileName(proposedPdf_);
}

QtPrinter::QtPrinter(const QString& pdfFile) : QtPrinter()
{
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(pdfFile);
}

void QtPrinter::setFontName(const QString& face)
{
    fontName_ = face;
    updateFont();
}

void QtPrinter::setFontSize(float points)
{
    fontSize_ = points;
    updateFont();
}

void QtPrinter::setFontBold(bool bold)
{
    bold_ = bold;
    updateFont();
}

void QtPrinter::updateFont()
{
    font_ = fontName_.compare(kCourierNew, Qt::CaseInsensitive) == 0 ? courierNew(fontSize_) : QFont(fontName_);
    font_.setPointSizeF(fontSize_);
    font_.setBold(bold_);
}

void QtPrinter::printLine(const QString& text)
{
    job_.push_back({text, font_, wrapIndent_});
}

void QtPrinter::setWrapIndent(int characters)
{
    wrapIndent_ = characters;
}

void QtPrinter::setPageFoot(const QString& foot)
{
    pageFoot_ = Line{foot, font_};
}

void QtPrinter::discardJob()
{
    job_.clear();
    pageFoot_.reset();
    wrapIndent_ = 0;
}

std::optional<QString> QtPrinter::endJob()
{
    const std::vector<Line> lines = std::exchange(job_, {});
    const std::optional<Line> foot = std::exchange(pageFoot_, std::nullopt);
    wrapIndent_ = 0;
    if (lines.empty())
        return std::nullopt;
    return paint(lines, foot);
}

QString printerRefusal(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat
               ? QStringLiteral("le fichier « %1 » ne peut pas être écrit.").arg(printer.outputFileName())
               : QStringLiteral("l'imprimante « %1 » n'accepte pas le document.").arg(printer.printerName());
}

std::optional<QString> QtPrinter::paint(const std::vector<Line>& lines, const std::optional<Line>& foot)
{
    const QString refused = printerRefusal(printer_);
    QPainter painter;
    if (!painter.begin(&printer_))
        return refused;

    // The foot takes the last line of every page, with one empty line above it.
    const QRect page = painter.viewport();
    int footHeight = 0;
    if (foot) {
        painter.setFont(foot->font);
        footHeight = 2 * painter.fontMetrics().lineSpacing();
    }
    const int linesHeight = page.height() - footHeight;

    // A line wider than the page goes on over the next printed lines, indented. The pages are
    // laid out first, so that every foot can tell the number of pages, extra lines included.
    std::vector<Placed> placed;
    placed.reserve(lines.size());
    int top = 0;
    int pageIndex = 0;
    QFont font;
    QFontMetrics metrics = painter.fontMetrics();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0 || lines[i].font != font) { // lines printed in one font share its data: a cheap test
            font = lines[i].font;
            painter.setFont(font);
            metrics = painter.fontMetrics();
        }
        const int indent = metrics.horizontalAdvance(QString(lines[i].wrapIndent, QLatin1Char(' ')));
        const std::vector<QString> pieces = wrappedPieces(lines[i].text, metrics, page.width(), indent);
        for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
            if (top > 0 && top + metrics.height() > linesHeight) {
                ++pageIndex;
                top = 0;
            }
            placed.push_back({i, pieces[piece], piece == 0 ? 0 : indent, top, pageIndex});
            top += metrics.lineSpacing();
        }
    }
    const int pageCount = pageIndex + 1;

    const auto paintFoot = [&](int number) {
        if (!foot)
            return;
        painter.setFont(foot->font);
        const QFontMetrics footMetrics = painter.fontMetrics();
        const QString text = foot->text.arg(number).arg(pageCount);
        painter.drawText((page.width() - footMetrics.horizontalAdvance(text)) / 2,
                         page.height() - footMetrics.descent(), text);
        painter.setFont(font);
    };

    font = lines.front().font;
    painter.setFont(font);
    metrics = painter.fontMetrics();
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (i > 0 && placed[i].page != placed[i - 1].page) {
            paintFoot(placed[i - 1].page + 1);
            if (!printer_.newPage()) {
                painter.end();
                return refused;
            }
        }
        const Line& line = lines[placed[i].line];
        if (line.font != font) {
            font = line.font;
            painter.setFont(font);
            metrics = painter.fontMetrics();
        }
        if (!placed[i].text.isEmpty())
            painter.drawText(placed[i].left, placed[i].top + metrics.ascent(), placed[i].text);
    }
    paintFoot(pageCount);
    if (!painter.end() || printer_.printerState() == QPrinter::Error)
        return refused;
    return std::nullopt;
}

} // namespace dravelin
