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

std::optional<QString> QtPrinter::endJob()
{
    const std::vector<Line> lines = std::exchange(job_, {});
    if (lines.empty())
        return std::nullopt;
    return paint(lines);
}

std::optional<QString> QtPrinter::paint(const std::vector<Line>& lines)
{
    const QString refused = printer_.outputFormat() == QPrinter::PdfFormat
        ? QStringLiteral("le fichier « %1 » ne peut pas être écrit.").arg(printer_.outputFileName())
        : QStringLiteral("l'imprimante « %1 » n'accepte pas le document.").arg(printer_.printerName());
    QPainter painter;
    if (!painter.begin(&printer_))
        return refused;

    // Lines are not wrapped; a line that no longer fits the page starts the next one.
    const int pageHeight = painter.viewport().height();
    int top = 0;
    QFont font = lines.front().font;
    painter.setFont(font);
    QFontMetrics metrics = painter.fontMetrics();
    for (const Line& line : lines) {
        if (line.font != font) { // lines printed in one font share its data: a cheap test
            font = line.font;
            painter.setFont(font);
            metrics = painter.fontMetrics();
        }
        if (top > 0 && top + metrics.height() > pageHeight) {
            if (!printer_.newPage()) {
                painter.end();
                return refused;
            }
            top = 0;
        }
        if (!line.text.isEmpty())
            painter.drawText(0, top + metrics.ascent(), line.text);
        top += metrics.lineSpacing();
    }
    if (!painter.end() || printer_.printerState() == QPrinter::Error)
        return refused;
    return std::nullopt;
}

} // namespace dravelin
