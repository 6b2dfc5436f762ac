#include "main_window/criterion_button.h"

#include <QButtonGroup>
#include <QKeyEvent>

namespace dravelin {

void CriterionButton::keyPressEvent(QKeyEvent* event)
{
    const QAbstractButton* before = group() ? group()->checkedButton() : nullptr;
    // The options stand in one row: Down and Up move along it as Right and Left do.
    const int key = event->key();
    if ((key == Qt::Key_Down || key == Qt::Key_Up) && event->modifiers() == Qt::NoModifier) {
        QKeyEvent along(event->type(), key == Qt::Key_Down ? Qt::Key_Right : Qt::Key_Left, event->modifiers());
        QRadioButton::keyPressEvent(&along);
        event->setAccepted(along.isAccepted());
    } else {
        QRadioButton::keyPressEvent(event);
    }
    if (group() && group()->checkedButton() != before)
        emit chosenByKey();
}

} // namespace dravelin
