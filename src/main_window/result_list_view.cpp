#include "main_window/result_list_view.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>

#include "main_window/result_list_model.h"

namespace dravelin {

namespace {

// Rows as wide as the longest line, so that a long line scrolls sideways even when the first
// row, which gives every row its size, is short (an orange-list line).
class WholeLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const int longest = index.data(ResultListModel::kLongestLineRole).toInt();
        const int margins = 2 * textMargin(option.widget);
        const int whole = QFontMetrics(option.font).horizontalAdvance(QString(longest, QLatin1Char('M'))) + margins;
        size.setWidth(std::max(size.width(), whole));
        return size;
    }

    static int textMargin(const QWidget* widget)
    {
        const QStyle* style = widget ? widget->style() : QApplication::style();
        return style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    }
};

} // namespace

ResultListView::ResultListView(QWidget* parent) : QListView(parent)
{
    setItemDelegate(new WholeLineDelegate(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Scrolled by items, the view would keep a table of one number per row (4 MB for a
    // million): by pixels, a wheel notch or an arrow of the scroll bar still moves whole rows.
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &ResultListView::textLeftChanged);
}

int ResultListView::textLeft() const
{
    return viewport()->geometry().left() + WholeLineDelegate::textMargin(this) - horizontalScrollBar()->value();
}

void ResultListView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    emit textLeftChanged();
}

void ResultListView::mousePressEvent(QMouseEvent* event)
{
    QListView::mousePressEvent(event);
    if (indexAt(event->position().toPoint()).isValid())
        emit lineClicked();
}

void ResultListView::focusInEvent(QFocusEvent* event)
{
    QListView::focusInEvent(event);
    if (!model() || model()->rowCount() == 0)
        return;
    if (!currentIndex().isValid())
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
    // Screen readers hear of the list taking the focus after this: the line must come after it,
    // or the list's own focus hides it.
    QMetaObject::invokeMethod(this, &ResultListView::tellCurrentLine, Qt::QueuedConnection);
}

void ResultListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    // Only the long lines scroll sideways: another line starts with its callsign in view.
    if (current.isValid() && current.row() != previous.row())
        horizontalScrollBar()->setValue(0);
}

void ResultListView::tellCurrentLine()
{
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid() || !QAccessible::isActive())
        return;
    QAccessibleEvent focusOnLine(this, QAccessible::Focus);
    focusOnLine.setChild(current.row());
    QAccessible::updateAccessibility(&focusOnLine);
}

void ResultListView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex before = currentIndex();
    QListView::keyPressEvent(event);
    // Space picks the line the keyboard stands on, the only way to pick a lone line.
    const bool picked = (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) && currentIndex().isValid();
    if (currentIndex() != before || picked)
        emit lineClicked();
}

} // namespace dravelin
