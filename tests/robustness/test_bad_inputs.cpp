// Every bad input of the table goes through the start-up, the search of the window under
// each criterion and dravelin-recherche: nothing may crash or hang, results and messages
// must be the sensible ones, and the directory file must stay as it was.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTest>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "main_window/result_list_model.h"
#include "robustness/bad_inputs.h"
#include "support/directory_fixture.h"
#include "widgets/windows1252_text.h"

namespace dravelin::test {

namespace {

const char* const kOptions[] = {"Option1", "Option2", "Option3", "Option4"};
const char* const kCriteria[] = {"indicatif", "nom", "ville", "departement"};

QString decoded(const QByteArray& bytes)
{
    return Windows1252().decode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// A result line as the list shows it: cut, with "…", past the longest line it shows whole.
QString shown(const QByteArray& line)
{
    const auto limit = static_cast<qsizetype>(ResultListModel::kLongestShownLine);
    return line.size() <= limit ? decoded(line) : decoded(line.left(limit)) + QChar(0x2026);
}

const char* const kReadOnlyPrivileges =
    "the tests run with privileges that read a file without read permission (root): nothing to test";
const char* const kNoSpecialFiles = "this system has no named pipes or /dev/zero";

// Puts the input at the directory file's path. Null when it is in place, or why it cannot be.
const char* placeInput(const ProgramFolder& folder, const BadInput& input)
{
    folder.removeDirectory();
    switch (input.kind) {
    case InputKind::Bytes:
        folder.writeDirectory(input.bytes);
        return nullptr;
    case InputKind::Folder:
        return QDir().mkdir(folder.directoryFile()) ? nullptr : "no folder could be made";
    case InputKind::Unreadable: {
        folder.writeDirectory(input.bytes);
        QFile::setPermissions(folder.directoryFile(), QFile::WriteOwner);
        QFile probe(folder.directoryFile());
        return probe.open(QIODevice::ReadOnly) ? kReadOnlyPrivileges : nullptr;
    }
    case InputKind::Pipe:
#ifdef _WIN32
        return kNoSpecialFiles;
#else
        return ::mkfifo(QFile::encodeName(folder.directoryFile()).constData(), 0600) == 0 ? nullptr : kNoSpecialFiles;
#endif
    case InputKind::DeviceLink:
        return QFile::exists(QStringLiteral("/dev/zero")) &&
                       QFile::link(QStringLiteral("/dev/zero"), folder.directoryFile())
                   ? nullptr
                   : kNoSpecialFiles;
    }
    return "unknown input";
}

bool isSpecialFile(InputKind kind)
{
    return kind == InputKind::Pipe || kind == InputKind::DeviceLink;
}

const BadInput& fetchInput()
{
    QFETCH(int, index);
    return badInputs()[index];
}

} // namespace

class TestBadInputs : public QObject {
    Q_OBJECT

private:
    static void table()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < badInputs().size(); ++i)
            QTest::newRow(badInputs()[i].name) << i;
    }

private slots:
    void startUp_data() { table(); }
    void startUp()
    {
        const BadInput& input = fetchInput();
        ProgramFolder folder(QByteArray{});
        if (const char* reason = placeInput(folder, input))
            QSKIP(reason);
        ScriptedPlatform platform(toFilesystemPath(folder.path()));
        Sous_Programmes shared;
        Main window(platform, shared);
        const bool loaded = window.loadWindow();

        if (input.kind != InputKind::Bytes) {
            QVERIFY(!loaded);
            QVERIFY(!window.isVisible());
            QCOMPARE(platform.messages.size(), std::size_t{1});
            const QString text = platform.messages[0].text;
            const QString told =
                isSpecialFile(input.kind)
                    ? QStringLiteral("n'est pas un fichier ordinaire (tube, périphérique ou lien vers l'un d'eux)")
                    : QStringLiteral("ne peut pas être lu");
            QVERIFY2(text.contains(told), qPrintable(text));
            QVERIFY2(text.contains(QDir::toNativeSeparators(folder.path())), qPrintable(text));
            QVERIFY(platform.settingsWritten.empty());
            return;
        }
        QVERIFY(loaded);
        QVERIFY(platform.messages.empty());
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Num_Rev"))->text(), decoded(input.label));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Date_Rev"))->text(), decoded(input.date));
        QCOMPARE(folder.directoryBytes(), input.bytes);
    }

    void searchUnderEachCriterion_data() { table(); }
    void searchUnderEachCriterion()
    {
        const BadInput& input = fetchInput();
        MainHarness main(crlfLines({"Base Rev 255  du 11/08/2009"}));
        QVERIFY(main.loaded);
        if (const char* reason = placeInput(main.folder, input))
            QSKIP(reason);

        QSet<int> criteria;
        for (const Probe& probe : input.probes) {
            criteria.insert(probe.criterion);
            const QString query = decoded(probe.query);
            main.platform.messages.clear();
            main.search(kOptions[probe.criterion], query);

            QStringList expected;
            for (const QByteArray& line : probe.lines)
                expected << shown(line);
            const QString trace = QStringLiteral("%1 %2").arg(QString::fromLatin1(kOptions[probe.criterion]), query);
            QVERIFY2(main.listLines() == expected, qPrintable(trace));
            QCOMPARE(main.countCaption(), QStringLiteral(" %1 indicatif(s)").arg(expected.size()));
            QStringList messages;
            if (isSpecialFile(input.kind))
                messages << QStringLiteral(
                    "Le fichier de l'annuaire « Annuaire_Amat.csv » n'est pas un fichier ordinaire "
                    "(tube, périphérique ou lien vers l'un d'eux) : la recherche est impossible.");
            else if (input.kind != InputKind::Bytes)
                messages << QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » ne peut pas être lu : "
                                           "la recherche est impossible.");
            else if (expected.isEmpty())
                messages << QStringLiteral("Recherche sans résultat");
            QCOMPARE(main.platform.messageTexts(), messages);
            // Lay out and paint the list as the screen would show it, long lines included.
            QVERIFY(!main.window->grab().isNull());
        }
        QCOMPARE(criteria.size(), 4);
        if (input.kind == InputKind::Bytes)
            QCOMPARE(main.folder.directoryBytes(), input.bytes);
    }

    void dravelinRecherche_data() { table(); }
    void dravelinRecherche()
    {
        const BadInput& input = fetchInput();
        ProgramFolder folder(QByteArray{});
        if (const char* reason = placeInput(folder, input))
            QSKIP(reason);

        for (const Probe& probe : input.probes) {
            QProcess process;
            process.start(
                QStringLiteral(DRAVELIN_RECHERCHE),
                {folder.directoryFile(), QString::fromLatin1(kCriteria[probe.criterion]), decoded(probe.query)});
            QVERIFY(process.waitForFinished(120000));
            const QByteArray out = process.readAllStandardOutput();
            const QString err = QString::fromUtf8(process.readAllStandardError());
            if (input.kind != InputKind::Bytes) {
                QCOMPARE(process.exitCode(), 1);
                const QString told = isSpecialFile(input.kind) ? QStringLiteral("Pas un fichier ordinaire")
                                                               : QStringLiteral("Fichier illisible");
                QVERIFY2(err.contains(told), qPrintable(err));
                QVERIFY(out.isEmpty());
                continue;
            }
            QByteArray expected;
            for (const QByteArray& line : probe.lines)
                expected += line + "\r\n";
            expected += " " + QByteArray::number(probe.lines.size()) + " indicatif(s)\r\n";
            QVERIFY2(process.exitCode() == 0, qPrintable(err));
            QVERIFY2(out == expected, qPrintable(QString::fromLatin1(kCriteria[probe.criterion])));
        }
        if (input.kind == InputKind::Bytes)
            QCOMPARE(folder.directoryBytes(), input.bytes);
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestBadInputs)
#include "test_bad_inputs.moc"
