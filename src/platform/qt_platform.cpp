#include "platform/qt_platform.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QSettings>

namespace dravelin {

MessageAnswer QtPlatform::showMessage(QWidget* parent, const QString& text, MessageButtons buttons)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const auto standardButtons = buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                                  : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Dravelin"), shown, standardButtons, parent);
    box.setAccessibleName(QStringLiteral("Dravelin"));
    box.setAccessibleDescription(shown);
    const int answer = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtPlatform::writeSetting(const QString& application, const QString& section, const QString& key,
                              const QString& value)
{
    QSettings settings(QSettings::UserScope, application);
    settings.beginGroup(section);
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
}

QString QtPlatform::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

QDate QtPlatform::today() const
{
    return QDate::currentDate();
}

void QtPlatform::processPendingEvents()
{
    QCoreApplication::processEvents();
}

} // namespace dravelin
