#include "platform/qt_printer.h"

#include <QDir>
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
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty())
            folder = QDir::homePath();
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(QDir(folder).filePath(QStringLiteral("Liste Dravelin.pdf")));
    }
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
    job_.push_back({text, font_});
}

void QtPrinter::setPageFoot(const QString& foot)
{
    pageFoot_ = Line{foot, font_};
}

void QtPrinter::discardJob()
{
    job_.clear();
    pageFoot_.reset();
}

std::optional<QString> QtPrinter::endJob()
{
    const std::vector<Line> lines = std::exchange(job_, {});
    const std::optional<Line> foot = std::exchange(pageFoot_, std::nullopt);
    if (lines.empty())
        return std::nullopt;
    return paint(lines, foot);
}

std::optional<QString> QtPrinter::paint(const std::vector<Line>& lines, const std::optional<Line>& foot)
{
    const QString refused = printer_.outputFormat() == QPrinter::PdfFormat
        ? QStringLiteral("le fichier « %1 » ne peut pas être écrit.").arg(printer_.outputFileName())
        : QStringLiteral("l'imprimante « %1 » n'accepte pas le document.").arg(printer_.printerName());
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

    // Lines are not wrapped; a line that no longer fits the page starts the next one. The
    // pages are laid out first, so that every foot can tell the number of pages.
    std::vector<int> tops(lines.size());
    std::vector<int> pages(lines.size());
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
        if (top > 0 && top + metrics.height() > linesHeight) {
            ++pageIndex;
            top = 0;
        }
        tops[i] = top;
        pages[i] = pageIndex;
        top += metrics.lineSpacing();
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
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0 && pages[i] != pages[i - 1]) {
            paintFoot(pages[i - 1] + 1);
            if (!printer_.newPage()) {
                painter.end();
                return refused;
            }
        }
        if (lines[i].font != font) {
            font = lines[i].font;
            painter.setFont(font);
            metrics = painter.fontMetrics();
        }
        if (!lines[i].text.isEmpty())
            painter.drawText(0, tops[i] + metrics.ascent(), lines[i].text);
    }
    paintFoot(pageCount);
    if (!painter.end() || printer_.printerState() == QPrinter::Error)
        return refused;
    return std::nullopt;
}

} // namespace dravelin
