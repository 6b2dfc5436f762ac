#pragma once

#include <QRect>
#include <QStringList>

class QWidget;

namespace dravelin::test {

// The labels and buttons of a window whose caption, in the font actually used, does not
// fit the room the control gives it; each as "name: needed > available" in pixels.
QStringList clippedCaptions(const QWidget* window);

// The control sits where it was drawn, or was widened just as far as its caption needs.
bool sitsAsDrawn(const QWidget* control, const QRect& drawn);

} // namespace dravelin::test
