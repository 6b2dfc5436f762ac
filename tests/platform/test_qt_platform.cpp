#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include "platform/qt_platform.h"

namespace dravelin {

class TestQtPlatform : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void settingsAreWrittenUnderApplicationSectionAndKey()
    {
        QtPlatform platform;
        platform.writeSetting(QStringLiteral("Annuaire"), QStringLiteral("Setup "), QStringLiteral("Chemin Repertoire"),
                              QStringLiteral("/opt/dravelin"));
        platform.writeSetting(QStringLiteral("Annuaire"), QStringLiteral("Setup "), QStringLiteral("Chemin Repertoire"),
                              QStringLiteral("/opt/autre"));
        QSettings settings(QSettings::UserScope, QStringLiteral("Annuaire"));
        QCOMPARE(settings.value(QStringLiteral("Setup /Chemin Repertoire")).toString(), QStringLiteral("/opt/autre"));
        settings.clear();
    }

    void programFolderIsTheExecutablesFolder()
    {
        QCOMPARE(QtPlatform().programFolder(), QCoreApplication::applicationDirPath());
    }
};

} // namespace dravelin

QTEST_MAIN(dravelin::TestQtPlatform)
#include "test_qt_platform.moc"
