#include "widgets/caption_fit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace dravelin {

namespace {

// The width the control needs for its caption, or 0 when it has none to show.
int neededWidth(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        if (label->text().isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText)
            return 0;
        const int frame = label->width() - label->contentsRect().width();
        return label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->margin() + frame;
    }
    if (const auto* option = qobject_cast<const QRadioButton*>(control)) {
        if (option->text().isEmpty())
            return 0;
        QStyleOptionButton style;
        style.initFrom(option);
        style.text = option->text();
        const QRect contents = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
        return contents.left() + option->fontMetrics().horizontalAdvance(option->text());
    }
    return 0;
}

} // namespace

void widenToCaption(QWidget* control)
{
    const int missing = neededWidth(control) - control->width();
    if (missing <= 0)
        return;
    QRect geometry = control->geometry();
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label && (label->alignment() & Qt::AlignRight))
        geometry.setLeft(geometry.left() - missing);
    else
        geometry.setWidth(geometry.width() + missing);
    control->setGeometry(geometry);
}

void widenToCaptions(QWidget* container)
{
    for (QLabel* label : container->findChildren<QLabel*>())
        widenToCaption(label);
    for (QRadioButton* option : container->findChildren<QRadioButton*>())
        widenToCaption(option);
}

} // namespace dravelin
