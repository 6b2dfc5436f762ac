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
    if (currentIndex() != before)
        emit lineClicked();
}

} // namespace dravelin
