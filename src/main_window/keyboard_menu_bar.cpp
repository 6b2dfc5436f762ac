#include "main_window/keyboard_menu_bar.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QProxyStyle>

namespace dravelin {

namespace {

// Alt pressed and released alone would walk the bar; released after an access key of the
// window (a criterion) it did too, taking the focus from the query box. F10 walks the bar.
class NoAltWalkStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == QStyle::SH_MenuBar_AltKeyNavigation)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

KeyboardMenuBar::KeyboardMenuBar(QWidget* parent) : QMenuBar(parent)
{
    auto* style = new NoAltWalkStyle;
    style->setParent(this);
    setStyle(style);
    // A command chosen in any menu of the bar ends the walk.
    connect(this, &QMenuBar::triggered, this, [this] { leave(); });
}

void KeyboardMenuBar::enterFromKeyboard()
{
    if (actions().isEmpty())
        return;
    QWidget* focus = QApplication::focusWidget();
    if (focus != this)
        returnFocus_ = focus;
    setFocus(Qt::MenuBarFocusReason);
    setActiveAction(actions().constFirst());
}

void KeyboardMenuBar::keyPressEvent(QKeyEvent* event)
{
    QAction* current = activeAction();
    const int key = event->key();
    const bool opens = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_Down;
    if (opens && current && current->isEnabled() && hasFocus()) {
        event->accept();
        if (current->menu()) {
            setActiveAction(current);
        } else if (key != Qt::Key_Down) {
            leave();
            current->trigger();
        }
        return;
    }
    if (key == Qt::Key_Escape && hasFocus()) {
        event->accept();
        leave();
        return;
    }
    QMenuBar::keyPressEvent(event);
}

void KeyboardMenuBar::leave()
{
    // Under styles where Alt walks the bar, the widget keeps a walk of its own: Escape ends it
    // and gives back the focus it took.
    if (hasFocus()) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QMenuBar::keyPressEvent(&escape);
    }
    setActiveAction(nullptr);
    if (hasFocus() && returnFocus_)
        returnFocus_->setFocus(Qt::MenuBarFocusReason);
    returnFocus_.clear();
}

} // namespace dravelin
