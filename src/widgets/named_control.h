#pragma once

#include <QRect>
#include <QString>

namespace dravelin {

// Names a control for the code (objectName) and for screen readers (accessible name), and
// puts it where it was drawn.
template <typename Widget>
Widget* named(Widget* widget, const char* objectName, const QString& accessibleName, const QRect& geometry)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setAccessibleName(accessibleName);
    widget->setGeometry(geometry);
    return widget;
}

} // namespace dravelin
