#include "support/caption_fit.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <utility>

namespace dravelin::test {

namespace {

int buttonContentsWidth(const QAbstractButton* button, QStyle::SubElement contents)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (const auto* push = qobject_cast<const QPushButton*>(button); push && push->autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    QRect room = button->style()->subElementRect(contents, &option, button);
    if (contents == QStyle::SE_RadioButtonContents)
        room = room.intersected(button->rect());
    return room.width();
}

} // namespace

// The width the caption needs and the width the control gives it; both 0 for a control
// without a caption of one line.
std::pair<int, int> captionRoom(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        if (label->text().isEmpty() || label->wordWrap())
            return {0, 0};
        return {label->fontMetrics().horizontalAdvance(label->text()),
                label->contentsRect().width() - 2 * label->margin()};
    }
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    if (!button || button->text().isEmpty())
        return {0, 0};
    const int needed = button->fontMetrics().horizontalAdvance(button->text());
    if (qobject_cast<const QRadioButton*>(button))
        return {needed, buttonContentsWidth(button, QStyle::SE_RadioButtonContents)};
    if (qobject_cast<const QPushButton*>(button))
        return {needed, buttonContentsWidth(button, QStyle::SE_PushButtonContents)};
    return {0, 0};
}

QStringList clippedCaptions(const QWidget* window)
{
    QStringList clipped;
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window))
            continue;
        const auto [needed, available] = captionRoom(control);
        if (needed > available)
            clipped << QStringLiteral("%1: %2 > %3").arg(control->objectName()).arg(needed).arg(available);
    }
    return clipped;
}

bool sitsAsDrawn(const QWidget* control, const QRect& drawn)
{
    const QRect now = control->geometry();
    if (now == drawn)
        return true;
    // Widened for its caption: the same top, height and anchored edge, and not one pixel
    // more than the caption needs.
    const auto* label = qobject_cast<const QLabel*>(control);
    const bool growsLeft = label && (label->alignment() & Qt::AlignRight);
    const bool anchored = growsLeft ? now.right() == drawn.right() : now.left() == drawn.left();
    const auto [needed, available] = captionRoom(control);
    return anchored && now.top() == drawn.top() && now.height() == drawn.height() && now.width() > drawn.width() &&
           needed == available;
}

} // namespace dravelin::test
