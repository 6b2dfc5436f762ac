#include "widgets/typing_line_edit.h"

#include <QKeyEvent>

namespace dravelin {

void TypingLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    const QString typed = event->text();
    const bool shortcutChord = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!shortcutChord && typed.size() == 1 && typed[0] >= QLatin1Char('a') && typed[0] <= QLatin1Char('z')) {
        QKeyEvent capital(event->type(), event->key(), event->modifiers(), typed.toUpper(), event->isAutoRepeat(),
                          static_cast<quint16>(event->count()));
        QLineEdit::keyPressEvent(&capital);
        event->setAccepted(capital.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace dravelin
