#include "widgets/spoken_notice.h"

#include "widgets/accessible_role.h"

namespace dravelin {

SpokenNotice::SpokenNotice(QWidget* parent) : QWidget(parent)
{
    setAccessibleRole(this, QAccessible::Notification);
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
