#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "support/directory_fixture.h"

namespace dravelin::test {

namespace {

struct Run {
    int status;
    QByteArray out;
    QString err;
};

Run recherche(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(DRAVELIN_RECHERCHE), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestDravelinRecherche : public QObject {
    Q_OBJECT

private slots:
    void printsTheListThenTheCountAsWindows1252WithCrLf_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray levy = "F1A         L\xC9VY H\xE9l\xE8ne" + QByteArray(29, ' ') + "A  27000 \xC9VREUX\r\n";
        const QByteArray other = "F2B         Z Y" + QByteArray(37, ' ') + "X  27000 \xC9VREUX\r\n";
        const QByteArray paris = "F3C         Q R" + QByteArray(37, ' ') + "S  75001 PARIS\r\n";
        QTest::newRow("city") << "ville" << "ÉVREUX" << levy + other + " 2 indicatif(s)\r\n";
        // The same rule as the window: small letters find their capitals, accents stay.
        QTest::newRow("city in small letters") << "ville" << "évreux" << levy + other + " 2 indicatif(s)\r\n";
        QTest::newRow("accents are not dropped") << "ville" << "EVREUX" << QByteArray(" 0 indicatif(s)\r\n");
        QTest::newRow("surname prefix") << "nom" << "lé*" << levy + " 1 indicatif(s)\r\n";
        QTest::newRow("lone star") << "indicatif" << "*" << levy + other + paris + " 3 indicatif(s)\r\n";
        QTest::newRow("department prefix") << "departement" << "7*" << paris + " 1 indicatif(s)\r\n";
    }
    void printsTheListThenTheCountAsWindows1252WithCrLf()
    {
        QFETCH(QString, criterion);
        QFETCH(QString, query);
        QFETCH(QByteArray, expected);
        ProgramFolder folder(crlfLines({"Base Rev 255  du 11/08/2009", "F2B;Z;Y;X;\xC9VREUX;27000",
                                        "F1A;L\xC9VY;H\xE9l\xE8ne;A;\xC9VREUX;27000", "F3C;Q;R;S;PARIS;75001"}));
        const Run run = recherche({folder.directoryFile(), criterion, query});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, expected);
    }

    void failuresHaveTheirOwnStatus_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("missingFile");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("rejected department") << "departement" << "7" << false << 2
                                             << "Attention 2 caracteres pour le département";
        QTest::newRow("empty callsign") << "indicatif" << "" << false << 2 << "Entrez un indicatif";
        QTest::newRow("the star counts in the length") << "departement" << "75*" << false << 2
                                                       << "Attention 2 caracteres pour le département";
        QTest::newRow("unknown criterion") << "prenom" << "X" << false << 2 << "prenom";
        QTest::newRow("missing file") << "ville" << "PARIS" << true << 1 << "introuvable";
    }
    void failuresHaveTheirOwnStatus()
    {
        QFETCH(QString, criterion);
        QFETCH(QString, query);
        QFETCH(bool, missingFile);
        QFETCH(int, status);
        QFETCH(QString, message);
        ProgramFolder folder(crlfLines({"Base Rev 255  du 11/08/2009"}));
        if (missingFile)
            folder.removeDirectory();
        const Run run = recherche({folder.directoryFile(), criterion, query});
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
};

} // namespace dravelin::test

QTEST_GUILESS_MAIN(dravelin::test::TestDravelinRecherche)
#include "test_dravelin_recherche.moc"
