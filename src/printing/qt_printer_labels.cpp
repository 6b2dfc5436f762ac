#include "printing/qt_printer.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <algorithm>

namespace dravelin {

namespace {

// Room kept free inside each label, so that a sheet slightly off in the printer, or a
// label's rounded corner, cuts no letter.
constexpr qreal kInnerMarginMm = 3;
constexpr qreal kCallsignPoints = 11;
constexpr qreal kAddressPoints = 10;

QFont labelFont(qreal points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Puts back the paper and margins of the list printout, whatever way the label job ends.
class PageLayoutKeeper {
public:
    explicit PageLayoutKeeper(QPrinter& printer)
        : printer_(printer), layout_(printer.pageLayout()), fullPage_(printer.fullPage())
    {
    }
    ~PageLayoutKeeper()
    {
        printer_.setFullPage(fullPage_);
        printer_.setPageLayout(layout_);
    }
    PageLayoutKeeper(const PageLayoutKeeper&) = delete;
    PageLayoutKeeper& operator=(const PageLayoutKeeper&) = delete;

private:
    QPrinter& printer_;
    QPageLayout layout_;
    bool fullPage_;
};

// The label's lines, one under the other in the middle of the room's height, from its left
// edge; a line wider than the room is shortened with "…".
void paintLabel(QPainter& painter, const QRectF& room, const QStringList& lines, const QFont& first,
                const QFont& others)
{
    const QFontMetricsF firstMetrics(first, painter.device());
    const QFontMetricsF otherMetrics(others, painter.device());
    const auto metricsOf = [&](int line) -> const QFontMetricsF& { return line == 0 ? firstMetrics : otherMetrics; };
    qreal height = 0;
    for (int i = 0; i < lines.size(); ++i)
        height += metricsOf(i).lineSpacing();
    qreal top = room.top() + std::max<qreal>(0, (room.height() - height) / 2);

    painter.save();
    // Nothing reaches the next label, whatever the fonts found on this system.
    painter.setClipRect(room);
    for (int i = 0; i < lines.size(); ++i) {
        const QFontMetricsF& metrics = metricsOf(i);
        painter.setFont(i == 0 ? first : others);
        const QString shown = metrics.elidedText(lines[i], Qt::ElideRight, room.width());
        if (!shown.isEmpty())
            painter.drawText(QPointF(room.left(), top + metrics.ascent()), shown);
        top += metrics.lineSpacing();
    }
    painter.restore();
}

} // namespace

std::optional<QString> QtPrinter::printLabels(const QSizeF& paper, const std::vector<PrintedLabel>& labels)
{
    if (labels.empty())
        return std::nullopt;
    const PageLayoutKeeper keeper(printer_);
    // Boxes are measured from the paper's corner, not from the printable area.
    printer_.setFullPage(true);
    printer_.setPageLayout(QPageLayout(QPageSize(paper, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF()));

    QPainter painter;
    if (!painter.begin(&printer_))
        return printerRefusal(printer_);
    const qreal dotsPerMm = printer_.resolution() / 25.4;
    const qreal margin = kInnerMarginMm * dotsPerMm;
    const QFont callsignFont = labelFont(kCallsignPoints, true);
    const QFont addressFont = labelFont(kAddressPoints, false);

    int page = 0;
    for (const PrintedLabel& label : labels) {
        for (; page < label.page; ++page) {
            if (!printer_.newPage()) {
                painter.end();
                return printerRefusal(printer_);
            }
        }
        const QRectF box(label.box.left() * dotsPerMm, label.box.top() * dotsPerMm, label.box.width() * dotsPerMm,
                         label.box.height() * dotsPerMm);
        paintLabel(painter, box.adjusted(margin, margin, -margin, -margin), label.lines, callsignFont, addressFont);
    }
    if (!painter.end() || printer_.printerState() == QPrinter::Error)
        return printerRefusal(printer_);
    return std::nullopt;
}

} // namespace dravelin
