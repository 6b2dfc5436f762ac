#include <QAction>
#include <QDir>
#include <QTest>
#include <filesystem>
#include <vector>

#include "database/directory_file.h"
#include "support/directory_fixture.h"
#include "support/file_faults.h"

namespace dravelin::test {

namespace {

const QByteArray kDirectory = crlfLines({
    "Base Rev 255  du 11/08/2009",
    "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002",
});

const QString kHistory =
    QStringLiteral("V1.0.1   le 15/09/2009 création\r\n"
                   "V1.0.2   le 19/09/2009 Ajout Impression de la page affichée et fichier aide\r\n"
                   "V1.0.3   le 11/04/2010 Utilisation de la base de donnée de l'ANFR\r\n"
                   "V1.0.4   le 19/04/2010 Correction d'un bug dans affichage des departements 01 a 09\r\n"
                   "                       Ajouté enregistrement au format txt et csv\r\n"
                   "V1.0.5   le 16/06/2010 Modification selection recherche\r\n");

} // namespace

class TestMainHelp : public QObject {
    Q_OBJECT

private slots:
    void helpMenuEntries_data()
    {
        QTest::addColumn<QString>("menuEntry");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("opensTheManual");
        QTest::addColumn<bool>("systemWide");

        QTest::newRow("Historique") << "Mnu_Historique" << QStringList{kHistory} << false << false;
        QTest::newRow("A Propos") << "Mnu_Apropos"
                                  << QStringList{QStringLiteral("Dravelin  Revision  1.0.5\r\n\r\n      "
                                                                "Annuaire établi d'après la liste publiée par l'ANFR")}
                                  << false << false;
        QTest::newRow("Mode d'emploi") << "Mnu_Notice" << QStringList{} << true << false;
        QTest::newRow("Mode d'emploi, installed system-wide") << "Mnu_Notice" << QStringList{} << true << true;
    }
    void helpMenuEntries()
    {
        QFETCH(QString, menuEntry);
        QFETCH(QStringList, messages);
        QFETCH(bool, opensTheManual);
        QFETCH(bool, systemWide);

        MainHarness main(kDirectory);
        const QString manualFolder =
            systemWide ? QDir(main.folder.path()).filePath(QStringLiteral("share")) : main.folder.path();
        if (systemWide)
            main.platform.sharedManualFolder = toFilesystemPath(manualFolder);
        main.search("Option3", QStringLiteral("PARIS"));
        const QStringList listed = main.listLines();
        const QString caption = main.countCaption();
        const QString query = main.shared.Texte_Recherche;
        const QByteArray directory = main.folder.directoryBytes();

        main.control<QAction>(qPrintable(menuEntry))->trigger();

        QCOMPARE(main.platform.messageTexts(), messages);
        for (const auto& message : main.platform.messages)
            QCOMPARE(message.buttons, MessageButtons::Ok);
        const std::vector<std::filesystem::path> manual =
            opensTheManual ? std::vector{toFilesystemPath(manualFolder) / "Dravelin.hlp"}
                           : std::vector<std::filesystem::path>{};
        QCOMPARE(main.platform.helpFilesShown, manual);
        // Nothing of the search or of the directory changes.
        QCOMPARE(main.listLines(), listed);
        QCOMPARE(main.countCaption(), caption);
        QCOMPARE(main.shared.Texte_Recherche, query);
        QCOMPARE(main.folder.directoryBytes(), directory);
    }

    // The manual is named by the program folder's own bytes, as start-up names the directory.
    void theManualOfAFolderWhoseNameIsNotUtf8()
    {
#ifdef _WIN32
        QSKIP("Windows names folders in UTF-16: every name is valid there");
#else
        // Copied from a system that wrote names in Latin-1.
        TemporaryFolder root;
        const std::filesystem::path folder = root.path() / std::filesystem::path(std::string("caf\xE9"));
        std::filesystem::create_directory(folder);
        writeBytes(directoryFilePath(folder), kDirectory.toStdString());
        ScriptedPlatform platform(folder);
        Sous_Programmes shared;
        Main window(platform, shared);
        QVERIFY(window.loadWindow());
        window.findChild<QAction*>(QStringLiteral("Mnu_Notice"))->trigger();
        QCOMPARE(platform.helpFilesShown, std::vector{folder / "Dravelin.hlp"});
        QCOMPARE(QByteArray::fromStdString(platform.helpFilesShown.at(0).string()),
                 QByteArray::fromStdString(root.path().string()) + "/caf\xE9/Dravelin.hlp");
#endif
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestMainHelp)
#include "test_main_help.moc"
