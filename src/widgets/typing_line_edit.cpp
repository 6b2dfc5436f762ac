#include "widgets/typing_line_edit.h"

#include <QKeyEvent>

#include "widgets/windows1252_text.h"

namespace dravelin {

void TypingLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    // A chord with Alt is a command, never a letter; Ctrl+Alt is AltGr on Windows and types.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    const QString typed = event->text();
    const bool shortcutChord = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!shortcutChord && typed.size() == 1) {
        const QChar capital = Windows1252::capitalOf(typed[0]);
        if (capital != typed[0]) {
            QKeyEvent capitalKey(event->type(), event->key(), event->modifiers(), QString(capital),
                                 event->isAutoRepeat(), static_cast<quint16>(event->count()));
            QLineEdit::keyPressEvent(&capitalKey);
            event->setAccepted(capitalKey.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace dravelin
