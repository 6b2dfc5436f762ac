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

// The selected line of a list: white on a dark blue, far above the 4.5:1 that text needs
// (the style's lighter blue gave 3.4 to 3.7:1), whether the list has the focus or not.
inline const QColor kSelectionColour(0, 51, 153);

inline void setSelectionColours(QWidget* widget)
{
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, kSelectionColour);
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    widget->setPalette(palette);
}

inline QColor backgroundColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::Base);
}

} // namespace dravelin
