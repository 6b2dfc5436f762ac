#pragma once

#include <QString>

class QColor;
class QObject;

namespace dravelin::test {

// The name a screen reader reads for the object; empty when it has no accessible interface.
QString accessibleName(QObject* object);

// The contrast ratio of two colours, as the accessibility guidelines define it.
double contrast(const QColor& a, const QColor& b);

} // namespace dravelin::test
