// Every action that writes a file (append, delete, modifying save, revision bump, and the two
// saves of the result list) on a full disk, in a read-only folder or file system, and while
// another copy of the program changes the directory: the user is told in French, and the
// directory file and any earlier list file keep every byte.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "database/directory_file.h"
#include "database/file_layer.h"
#include "support/editing_fixture.h"
#include "support/file_faults.h"

namespace dravelin::test {

namespace {

const QByteArray kDirectory = crlfLines({
    "Base Rev 255  du 11/08/2009",
    "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001",
    "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002",
    "F1ABC;DURAND;Luc;5 rue C;NICE;06000",
});
const QStringList kNewFields = {"f1new", "nouveau", "jean", "1 rue b", "lyon", "69001"};
const QByteArray kEarlierList = "F6ZZZ;MARTIN Paul;1 rue A  75001 PARIS\r\n";

enum class Operation { Append, Delete, Modify, Bump, SaveText, SaveCsv };
enum class Condition {
    FullDisk,
    ReadOnlyFolder,
    ReadOnlyFileSystem,
    LockHeld,
    LockHeldByAnotherProcess,
    PipeInPlace,       // a named pipe stands at the directory file's path
    DeviceLinkInPlace, // a link to /dev/zero stands there
    ReadErrorEarly,    // the disk fails to read the directory file within its revision line
    ReadErrorMidway,   // ... among the entries, before the one the change is about
    ReadErrorAtTheEnd, // ... at its last byte
    LinkAtTheLock,     // a link to a file that does not exist stands at the lock file's path
};

const char* operationName(Operation operation)
{
    switch (operation) {
    case Operation::Append:
        return "append";
    case Operation::Delete:
        return "delete";
    case Operation::Modify:
        return "modifying save";
    case Operation::Bump:
        return "revision bump";
    case Operation::SaveText:
        return "save as text";
    case Operation::SaveCsv:
        return "save as csv";
    }
    return "?";
}

const char* conditionName(Condition condition)
{
    switch (condition) {
    case Condition::FullDisk:
        return "full disk";
    case Condition::ReadOnlyFolder:
        return "read-only folder";
    case Condition::ReadOnlyFileSystem:
        return "read-only file system";
    case Condition::LockHeld:
        return "lock held";
    case Condition::LockHeldByAnotherProcess:
        return "lock held by another process";
    case Condition::PipeInPlace:
        return "named pipe in place of the directory";
    case Condition::DeviceLinkInPlace:
        return "link to /dev/zero in place of the directory";
    case Condition::ReadErrorEarly:
        return "read error in the revision line";
    case Condition::ReadErrorMidway:
        return "read error among the entries";
    case Condition::ReadErrorAtTheEnd:
        return "read error at the last byte";
    case Condition::LinkAtTheLock:
        return "dangling link in place of the lock file";
    }
    return "?";
}

bool readError(Condition condition)
{
    return condition == Condition::ReadErrorEarly || condition == Condition::ReadErrorMidway ||
           condition == Condition::ReadErrorAtTheEnd;
}

// Where the disk fails to read the directory file.
std::uint64_t readErrorOffset(Condition condition, const QByteArray& directory)
{
    switch (condition) {
    case Condition::ReadErrorEarly:
        return 10;
    case Condition::ReadErrorMidway:
        return static_cast<std::uint64_t>(directory.indexOf("F1ABC;DUPONT"));
    default:
        return static_cast<std::uint64_t>(directory.size() - 1);
    }
}

bool changesTheDirectory(Operation operation)
{
    return operation != Operation::SaveText && operation != Operation::SaveCsv;
}

bool onSmallFileSystem(Condition condition)
{
    return condition == Condition::FullDisk || condition == Condition::ReadOnlyFileSystem;
}

// The directory file is put aside while something that is no file stands in its place.
bool notAFileInPlace(Condition condition)
{
    return condition == Condition::PipeInPlace || condition == Condition::DeviceLinkInPlace;
}

const QString kUnchanged = QStringLiteral("\r\nLe fichier de l'annuaire est resté tel qu'il était.");

QString notDone(Operation operation)
{
    switch (operation) {
    case Operation::Append:
    case Operation::Modify:
        return QStringLiteral("L'entrée n'a pas été enregistrée.");
    case Operation::Delete:
        return QStringLiteral("Rien n'a été supprimé.");
    case Operation::Bump:
        return QStringLiteral("La révision de la base n'a pas été changée.");
    case Operation::SaveText:
    case Operation::SaveCsv:
        break;
    }
    return {};
}

QString expectedMessage(Operation operation, Condition condition, const QString& listFile)
{
    if (!changesTheDirectory(operation)) {
        const QString cause =
            condition == Condition::FullDisk
                ? QStringLiteral("l'écriture a échoué (disque plein ou support retiré ?).")
                : QStringLiteral("le fichier ne peut pas être créé dans ce dossier (nom invalide ou accès refusé).");
        return QStringLiteral("La liste n'a pas été enregistrée dans le fichier « %1 » : %2\r\n"
                              "Un fichier qui portait déjà ce nom est resté tel quel.")
            .arg(QDir::toNativeSeparators(listFile), cause);
    }
    switch (condition) {
    case Condition::FullDisk:
        if (operation == Operation::Append)
            return QStringLiteral(
                       "L'entrée n'a pas pu être écrite à la fin du fichier de l'annuaire « Annuaire_Amat.csv » "
                       "(disque plein ?).\r\n") +
                   notDone(operation) + kUnchanged;
        return QStringLiteral(
                   "Le fichier de travail « Temporaire.txt » n'a pas pu être écrit en entier (disque plein ?).\r\n") +
               notDone(operation) + kUnchanged;
    case Condition::ReadOnlyFolder:
    case Condition::ReadOnlyFileSystem:
        return QStringLiteral("Le fichier de verrou « Annuaire_Amat.lock » ne peut pas être créé dans le dossier de "
                              "l'annuaire (dossier protégé en écriture ou disque plein ?).\r\n") +
               notDone(operation) + kUnchanged;
    case Condition::PipeInPlace:
    case Condition::DeviceLinkInPlace:
        return QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » n'est pas un fichier ordinaire "
                              "(tube, périphérique ou lien vers l'un d'eux).\r\n") +
               notDone(operation) + kUnchanged;
    case Condition::ReadErrorEarly:
    case Condition::ReadErrorMidway:
    case Condition::ReadErrorAtTheEnd:
        return QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » ne peut pas être lu.\r\n") +
               notDone(operation) + kUnchanged;
    case Condition::LinkAtTheLock:
        return QStringLiteral(
                   "Le fichier de verrou « Annuaire_Amat.lock » du dossier de l'annuaire n'est pas un fichier "
                   "ordinaire (lien, tube, dossier ou périphérique) : supprimez-le.\r\n") +
               notDone(operation) + kUnchanged;
    case Condition::LockHeld:
    case Condition::LockHeldByAnotherProcess:
        break;
    }
    return QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » est en cours de modification par une autre "
                          "copie du programme.\r\n") +
           notDone(operation) +
           QStringLiteral(
               "\r\nCette copie du programme n'a rien changé au fichier : réessayez quand l'autre aura terminé.");
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The texts of the messages with an OK button: the revision prompt is not one of them.
QStringList okMessages(const ScriptedPlatform& platform)
{
    QStringList texts;
    for (const ScriptedPlatform::Message& message : platform.messages)
        if (message.buttons == MessageButtons::Ok)
            texts << message.text;
    return texts;
}

// Brings the windows to the click that writes.
void prepare(MainHarness& main, Editing& editing, Operation operation, const QString& listFile)
{
    if (!changesTheDirectory(operation)) {
        main.search("Option3", QStringLiteral("PARIS"));
        writeFile(listFile, kEarlierList);
        return;
    }
    editing.open(QStringLiteral("F1ABC"));
    switch (operation) {
    case Operation::Append:
        editing.click("Ajouter");
        editing.walk(kNewFields);
        break;
    case Operation::Modify:
        editing.click("Modifier");
        editing.walk(kNewFields);
        break;
    case Operation::Bump:
        // A stored entry leads Quitter to the revision prompt.
        editing.click("Ajouter");
        editing.walk(kNewFields);
        editing.click("Enregistrer");
        break;
    case Operation::Delete:
    case Operation::SaveText:
    case Operation::SaveCsv:
        break;
    }
}

// The click that writes, with Yes to the revision prompt and the list file to the dialog.
void act(MainHarness& main, Editing& editing, Operation operation, const QString& listFile)
{
    main.platform.answers = {MessageAnswer::Yes};
    main.platform.savePaths = {listFile};
    switch (operation) {
    case Operation::Append:
    case Operation::Modify:
        editing.click("Enregistrer");
        break;
    case Operation::Delete:
        editing.click("Supprimer");
        break;
    case Operation::Bump:
        editing.click("Quitter");
        break;
    case Operation::SaveText:
        main.control<QAction>("Mnu_Enregistrer_txt")->trigger();
        break;
    case Operation::SaveCsv:
        main.control<QAction>("Mnu_Enregistrer_csv")->trigger();
        break;
    }
}

// Lengthens the directory file to a whole number of blocks with one more record, so that an
// append needs a new block rather than fitting in the end of the last one.
void fillLastBlock(MainHarness& main, std::size_t blockSize)
{
    const QByteArray bytes = main.folder.directoryBytes();
    const QByteArray emptyRecord = "FPAD;;;;;75000\r\n";
    qsizetype room = static_cast<qsizetype>(blockSize) - bytes.size() % static_cast<qsizetype>(blockSize);
    if (room < emptyRecord.size())
        room += static_cast<qsizetype>(blockSize);
    main.folder.writeDirectory(bytes + "FPAD;" + QByteArray(room - emptyRecord.size(), 'X') + ";;;;75000\r\n");
}

// A second copy of the program, as far as the lock goes.
class OtherCopy {
public:
    explicit OtherCopy(const QString& folder)
    {
        process_.start(QStringLiteral(LOCK_HOLDER), {folder});
        locked_ = process_.waitForReadyRead(-1) && process_.readLine() == "locked\n";
    }
    ~OtherCopy() { finish(); }
    bool locked() const { return locked_; }
    // Done: it lets the lock go and ends.
    void finish()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.closeWriteChannel();
        process_.waitForFinished(-1);
    }
    // Killed while holding the lock, as by a crash or the task manager.
    void kill()
    {
        process_.kill();
        process_.waitForFinished(-1);
    }

private:
    QProcess process_;
    bool locked_ = false;
};

bool exists(const MainHarness& main, const char* name)
{
    return QFile::exists(QDir(main.folder.path()).filePath(QString::fromLatin1(name)));
}

} // namespace

class TestWritingFaults : public QObject {
    Q_OBJECT

private slots:
    void aFailedWriteIsToldAndChangesNoFile_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("condition");
        for (const Condition condition :
             {Condition::FullDisk, Condition::ReadOnlyFolder, Condition::ReadOnlyFileSystem, Condition::LockHeld,
              Condition::LockHeldByAnotherProcess, Condition::PipeInPlace, Condition::DeviceLinkInPlace,
              Condition::ReadErrorEarly, Condition::ReadErrorMidway, Condition::ReadErrorAtTheEnd,
              Condition::LinkAtTheLock})
            for (const Operation operation : {Operation::Append, Operation::Delete, Operation::Modify, Operation::Bump,
                                              Operation::SaveText, Operation::SaveCsv}) {
                // The list files are not the directory's: no lock stands in their way.
                const bool lock = condition == Condition::LockHeld || condition == Condition::LockHeldByAnotherProcess;
                const bool aboutTheDirectory =
                    lock || notAFileInPlace(condition) || readError(condition) || condition == Condition::LinkAtTheLock;
                if (aboutTheDirectory && !changesTheDirectory(operation))
                    continue;
                QTest::addRow("%s, %s", conditionName(condition), operationName(operation))
                    << int(operation) << int(condition);
            }
    }
    void aFailedWriteIsToldAndChangesNoFile()
    {
        QFETCH(int, operation);
        QFETCH(int, condition);
        const auto what = static_cast<Operation>(operation);
        const auto cause = static_cast<Condition>(condition);

        std::unique_ptr<SmallFileSystem> disk;
        if (onSmallFileSystem(cause)) {
            disk = std::make_unique<SmallFileSystem>(std::size_t{1} << 20);
            if (!disk->mounted())
                QSKIP("no right to mount a small file system here");
        }
        MainHarness main(kDirectory, disk ? QString::fromStdString(disk->path().string()) : QString());
        Editing editing(main);
        const QString listFile = QDir(main.folder.path()).filePath(QStringLiteral("liste"));
        prepare(main, editing, what, listFile);
        if (cause == Condition::FullDisk)
            fillLastBlock(main, disk->blockSize());
        const QByteArray before = main.folder.directoryBytes();
        const QStringList boxesBefore = editing.window() ? editing.boxTexts() : QStringList();
        main.platform.messages.clear();

        // The cause.
        FailingFileLayer noWaiting; // the real files and lock; the wait for the lock is skipped
        FailingFileLayer badDisk(FileStep::Read);
        std::unique_ptr<ReadOnlyGuard> readOnly;
        std::unique_ptr<FileLock> held;
        std::unique_ptr<OtherCopy> other;
        const QString directoryFile = main.folder.directoryFile();
        const QString aside = directoryFile + QStringLiteral(".aside");
        switch (cause) {
        case Condition::FullDisk:
            QVERIFY(disk->fill());
            break;
        case Condition::ReadOnlyFolder:
            readOnly = std::make_unique<ReadOnlyGuard>(toFilesystemPath(main.folder.path()));
            if (!readOnly->effective())
                QSKIP("this system lets the folder be written anyway");
            break;
        case Condition::ReadOnlyFileSystem:
            QVERIFY(disk->setReadOnly(true));
            break;
        case Condition::LockHeld:
            QCOMPARE(systemFileLayer().tryLock(lockFilePath(toFilesystemPath(main.folder.path())), held),
                     LockAttempt::Taken);
            main.platform.files = &noWaiting;
            break;
        case Condition::LockHeldByAnotherProcess:
            other = std::make_unique<OtherCopy>(main.folder.path());
            QVERIFY(other->locked());
            main.platform.files = &noWaiting;
            break;
        case Condition::PipeInPlace:
#ifdef _WIN32
            QSKIP("this system has no named pipes in its folders");
#else
            QVERIFY(QFile::rename(directoryFile, aside));
            QCOMPARE(::mkfifo(QFile::encodeName(directoryFile).constData(), 0600), 0);
#endif
            break;
        case Condition::DeviceLinkInPlace:
            if (!QFile::exists(QStringLiteral("/dev/zero")))
                QSKIP("this system has no /dev/zero");
            QVERIFY(QFile::rename(directoryFile, aside));
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), directoryFile));
            break;
        case Condition::ReadErrorEarly:
        case Condition::ReadErrorMidway:
        case Condition::ReadErrorAtTheEnd:
            badDisk.readFailsAt = readErrorOffset(cause, before);
            main.platform.files = &badDisk;
            break;
        case Condition::LinkAtTheLock:
            if (!QFile::link(QDir(main.folder.path()).filePath(QStringLiteral("nowhere")),
                             QDir(main.folder.path()).filePath(QString::fromLatin1(kLockFileName))))
                QSKIP("no symbolic links here");
            break;
        }
        const QStringList filesBefore = QDir(main.folder.path()).entryList(QDir::Files | QDir::Hidden);

        act(main, editing, what, listFile);
        QCOMPARE(okMessages(main.platform), QStringList{expectedMessage(what, cause, listFile)});
        // No scratch file, lock file or half-written list is left behind.
        QCOMPARE(QDir(main.folder.path()).entryList(QDir::Files | QDir::Hidden), filesBefore);
        if (notAFileInPlace(cause)) {
            // Neither read nor replaced: still what it was, then the file goes back in place.
            QVERIFY(!QFileInfo(directoryFile).isFile());
            QVERIFY(QFile::remove(directoryFile));
            QVERIFY(QFile::rename(aside, directoryFile));
        }
        QCOMPARE(main.folder.directoryBytes(), before);
        if (!changesTheDirectory(what))
            QCOMPARE(fileBytes(listFile), kEarlierList);
        QVERIFY(!exists(main, kScratchFileName));
        if (editing.window()) {
            QVERIFY(editing.window()->isVisible());
            QCOMPARE(editing.boxTexts(), boxesBefore); // nothing typed is lost
        }

        // Once the cause is gone, the same action goes through.
        switch (cause) {
        case Condition::FullDisk:
            disk->makeRoom();
            break;
        case Condition::ReadOnlyFolder:
            readOnly.reset();
            break;
        case Condition::ReadOnlyFileSystem:
            QVERIFY(disk->setReadOnly(false));
            break;
        case Condition::LockHeld:
            held.reset();
            break;
        case Condition::LockHeldByAnotherProcess:
            other->finish();
            break;
        case Condition::PipeInPlace:
        case Condition::DeviceLinkInPlace:
            break; // already back in place
        case Condition::ReadErrorEarly:
        case Condition::ReadErrorMidway:
        case Condition::ReadErrorAtTheEnd:
            badDisk.failing.clear();
            break;
        case Condition::LinkAtTheLock:
            // Never followed: nothing was made where it leads.
            QVERIFY(!exists(main, "nowhere"));
            QVERIFY(QFile::remove(QDir(main.folder.path()).filePath(QString::fromLatin1(kLockFileName))));
            break;
        }
        main.platform.messages.clear();
        act(main, editing, what, listFile);
        QCOMPARE(okMessages(main.platform), QStringList());
        if (changesTheDirectory(what))
            QVERIFY(main.folder.directoryBytes() != before);
        else
            QVERIFY(fileBytes(listFile) != kEarlierList);
        QVERIFY(!exists(main, kScratchFileName));
        QVERIFY(!exists(main, kLockFileName));
    }

    void aReadErrorShowsNoListAndNoEntry_data()
    {
        QTest::addColumn<int>("condition");
        for (const Condition condition :
             {Condition::ReadErrorEarly, Condition::ReadErrorMidway, Condition::ReadErrorAtTheEnd})
            QTest::addRow("%s", conditionName(condition)) << int(condition);
    }
    void aReadErrorShowsNoListAndNoEntry()
    {
        QFETCH(int, condition);
        MainHarness main(kDirectory);
        main.search("Option3", QStringLiteral("PARIS"));
        QCOMPARE(main.listLines().size(), 2);
        FailingFileLayer badDisk(FileStep::Read);
        badDisk.readFailsAt = readErrorOffset(static_cast<Condition>(condition), kDirectory);
        main.platform.files = &badDisk;
        main.platform.messages.clear();

        // The lines read before the error are not the answer: no list, and the cause told.
        main.search("Option3", QStringLiteral("PARIS"));
        QCOMPARE(main.platform.messageTexts(),
                 QStringList{QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » ne peut pas être lu : "
                                            "la recherche est impossible.")});
        QCOMPARE(main.listLines(), QStringList());
        QCOMPARE(main.folder.directoryBytes(), kDirectory);

        // The expert display reads the entry again: no window on half an answer.
        badDisk.failing.clear();
        main.search("Option1", QStringLiteral("F1ABC"));
        QVERIFY(!main.listLines().isEmpty());
        clickLine(main, 0);
        if (main.control<QPushButton>("Expert")->isHidden())
            pressExpertChord(main);
        badDisk.failing = {FileStep::Read};
        main.platform.messages.clear();
        QTest::mouseClick(main.control<QPushButton>("Expert"), Qt::LeftButton);
        Editing editing(main);
        QCOMPARE(main.folder.directoryBytes(), kDirectory);
        if (static_cast<Condition>(condition) == Condition::ReadErrorAtTheEnd) {
            // The entry's line was read whole before the error: it is the entry.
            QCOMPARE(main.platform.messageTexts(), QStringList());
            QVERIFY(editing.window() && editing.window()->isVisible());
            QCOMPARE(editing.boxTexts().first(), QStringLiteral("F1ABC"));
            return;
        }
        QCOMPARE(main.platform.messageTexts(),
                 QStringList{QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » ne peut pas être lu : "
                                            "la fiche ne peut pas être affichée.")});
        QVERIFY(!editing.window() || !editing.window()->isVisible());
    }

    void theScratchFileReachesTheDiskBeforeTheRenameAndTheFolderAfter()
    {
        // A power cut after the rename must find the new file whole, and the rename itself:
        // the scratch file is flushed before it takes the directory's place, the folder after.
#if !defined(SYNC_RECORDER) || !defined(REWRITE_ONCE)
        QSKIP("the calls are recorded through LD_PRELOAD, on Linux only");
#else
        ProgramFolder folder(kDirectory);
        QTemporaryDir logFolder;
        const QString log = logFolder.filePath(QStringLiteral("calls"));
        QProcess rewrite;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(SYNC_RECORDER));
        environment.insert(QStringLiteral("DRAVELIN_SYNC_LOG"), log);
        // Under AddressSanitizer the recorder comes before its runtime, which it must be told.
        const QString sanitizerOptions = environment.value(QStringLiteral("ASAN_OPTIONS"));
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           (sanitizerOptions.isEmpty() ? QString() : sanitizerOptions + QLatin1Char(':')) +
                               QStringLiteral("verify_asan_link_order=0"));
        rewrite.setProcessEnvironment(environment);
        rewrite.start(QStringLiteral(REWRITE_ONCE), {folder.path()});
        QVERIFY(rewrite.waitForFinished(-1));
        QCOMPARE(rewrite.exitCode(), 0);
        QVERIFY(folder.directoryBytes().startsWith("Base Rev 256  du 07/12/2026\r\n"));

        const QString canonicalFolder = QFileInfo(folder.path()).canonicalFilePath();
        const QString scratch = canonicalFolder + QStringLiteral("/Temporaire.txt");
        const auto inFolder = [&](const QString& path, const char* name) {
            const QFileInfo info(path);
            return info.fileName() == QLatin1String(name) &&
                   QFileInfo(info.path()).canonicalFilePath() == canonicalFolder;
        };
        const auto isSyncOf = [](const QString& call, const QString& path) {
            return call == QStringLiteral("fsync\t") + path || call == QStringLiteral("fdatasync\t") + path;
        };
        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList calls = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        qsizetype renamed = -1;
        for (qsizetype i = 0; i < calls.size(); ++i) {
            const QStringList words = calls[i].split(QLatin1Char('\t'));
            if (words.size() == 3 && words[0] == QLatin1String("rename") && inFolder(words[1], "Temporaire.txt") &&
                inFolder(words[2], "Annuaire_Amat.csv"))
                renamed = i;
        }
        const QString trace = calls.join(QLatin1Char('|'));
        QVERIFY2(renamed >= 0, qPrintable(trace));
        QVERIFY2(std::any_of(calls.begin(), calls.begin() + renamed,
                             [&](const QString& call) { return isSyncOf(call, scratch); }),
                 qPrintable(trace));
        QVERIFY2(std::any_of(calls.begin() + renamed + 1, calls.end(),
                             [&](const QString& call) { return isSyncOf(call, canonicalFolder); }),
                 qPrintable(trace));
#endif
    }

    void aBusyDirectoryIsToldAfterTheSystemsWait()
    {
        // The system's own pauses between attempts, about two and a half seconds in all.
        MainHarness main(kDirectory);
        Editing editing(main);
        editing.open(QStringLiteral("F1ABC"));
        OtherCopy other(main.folder.path());
        QVERIFY(other.locked());
        editing.click("Supprimer");
        QCOMPARE(okMessages(main.platform), QStringList{expectedMessage(Operation::Delete, Condition::LockHeld, {})});
        QCOMPARE(main.folder.directoryBytes(), kDirectory);
    }

    void aRevisionRaisedByAnotherCopyDuringTheQuestionIsNotRaisedAgain()
    {
        MainHarness main(kDirectory);
        Editing editing(main);
        prepare(main, editing, Operation::Bump, {});
        QByteArray raisedElsewhere = main.folder.directoryBytes();
        raisedElsewhere.replace(0, raisedElsewhere.indexOf("\r\n"), "Base Rev 256  du 06/12/2026");
        main.platform.onQuestion = [&] {
            main.platform.onQuestion = nullptr;
            main.folder.writeDirectory(raisedElsewhere);
        };
        main.platform.messages.clear();
        act(main, editing, Operation::Bump, {});
        QCOMPARE(
            okMessages(main.platform),
            QStringList{"La révision de la base a été changée par une autre copie du programme pendant la question.\r\n"
                        "La révision de la base n'a pas été changée." +
                        kUnchanged});
        QCOMPARE(main.folder.directoryBytes(), raisedElsewhere);
        QVERIFY(editing.window()->isVisible());

        // Asked again, on the revision the file holds now.
        main.platform.messages.clear();
        act(main, editing, Operation::Bump, {});
        QCOMPARE(main.platform.messageTexts(),
                 QStringList{"La base de donnée est a la révision 256 voulez vous la passer a la révision  257"});
        QVERIFY(main.folder.directoryBytes().startsWith("Base Rev 257  du 07/12/2026\r\n"));
        QVERIFY(!editing.window()->isVisible());
    }

    void aLockLeftByAKilledCopyIsTakenOver_data()
    {
        QTest::addColumn<int>("operation");
        for (const Operation operation : {Operation::Append, Operation::Delete, Operation::Modify, Operation::Bump})
            QTest::addRow("%s", operationName(operation)) << int(operation);
    }
    void aLockLeftByAKilledCopyIsTakenOver()
    {
        QFETCH(int, operation);
        const auto what = static_cast<Operation>(operation);
        MainHarness main(kDirectory);
        Editing editing(main);
        prepare(main, editing, what, {});
        const QByteArray before = main.folder.directoryBytes();
        main.platform.messages.clear();
        {
            OtherCopy killed(main.folder.path());
            QVERIFY(killed.locked());
            killed.kill();
        }
#ifndef _WIN32
        QVERIFY(exists(main, kLockFileName)); // here the lock file outlives its holder
#endif
        FailingFileLayer noWaiting;
        main.platform.files = &noWaiting;

        act(main, editing, what, {});
        QCOMPARE(okMessages(main.platform), QStringList());
        QCOMPARE(noWaiting.waits, 0);
        QVERIFY(main.folder.directoryBytes() != before);
        QVERIFY(!exists(main, kLockFileName));
        QVERIFY(!exists(main, kScratchFileName));
    }
};

} // namespace dravelin::test

QTEST_MAIN(dravelin::test::TestWritingFaults)
#include "test_writing_faults.moc"
