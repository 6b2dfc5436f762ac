#include "widgets/spoken_notice.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace dravelin {

namespace {

QAccessibleInterface* noticeInterface(const QString& className, QObject* object)
{
    if (className != QLatin1String(SpokenNotice::staticMetaObject.className()) || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
}

} // namespace

SpokenNotice::SpokenNotice(QWidget* parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(noticeInterface);
        return true;
    }();
    (void)installed;
    setObjectName(QStringLiteral("Annonce"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // No area: it draws nothing and covers nothing.
    setGeometry(0, 0, 0, 0);
    hide();
}

void SpokenNotice::announce(const QString& text)
{
    // The name is set while hidden: a reader reads the new text when the notice appears.
    hide();
    setAccessibleName(text);
    show();
    ++announcements_;
}

} // namespace dravelin
