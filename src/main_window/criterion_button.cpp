#include "main_window/criterion_button.h"

#include <QButtonGroup>
#include <QKeyEvent>

namespace dravelin {

bool CriterionButton::event(QEvent* event)
{
    // A button's access key would take the focus and click later: the query box would lose
    // the focus to the button first, and a screen reader would speak the button.
    if (event->type() == QEvent::Shortcut) {
        click();
        return true;
    }
    return QRadioButton::event(event);
}

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
