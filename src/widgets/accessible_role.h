#pragma once

#include <QAccessible>

class QWidget;

namespace dravelin {

// Gives a plain widget the role screen readers should announce it with (a window of its
// own as a frame, a message as a notification) instead of Qt's generic "filler". Call it
// before anything asks the widget for its accessible interface, as in its constructor.
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

} // namespace dravelin
