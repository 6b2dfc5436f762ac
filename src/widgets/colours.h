#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace dravelin {

// Light green marks the box that takes the input next; light yellow the result list and
// the boxes not open for input.
inline const QColor kFieldOpenColour(192, 255, 192);
inline const QColor kFieldDoneColour(255, 255, 192);

// The background of a text box, list or button, whatever the widget style.
inline void setBackgroundColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
}

inline QColor backgroundColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::Base);
}

} // namespace dravelin
