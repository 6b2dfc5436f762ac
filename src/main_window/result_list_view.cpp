#include "main_window/result_list_view.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace dravelin {

void ResultListView::mousePressEvent(QMouseEvent* event)
{
    QListView::mousePressEvent(event);
    if (indexAt(event->position().toPoint()).isValid())
        emit lineClicked();
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
