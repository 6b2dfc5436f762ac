#include "edit_window/field_line_edit.h"

#include <QKeyEvent>

namespace dravelin {

void FieldLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->text() == QLatin1String(";")) {
        event->accept();
        return;
    }
    TypingLineEdit::keyPressEvent(event);
}

} // namespace dravelin
