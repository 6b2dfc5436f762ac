#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "database/append.h"
#include "database/directory_file.h"
#include "database/entry_operations.h"
#include "database/write_lock.h"
#include "support/child_process.h"
#include "support/file_faults.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;
using test::FailingFileLayer;
using test::FileStep;
using test::readBytes;
using test::TemporaryFolder;
using test::writeBytes;

const std::string kDirectory = "Base Rev 255  du 11/08/2009\r\n"
                               "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001\r\n"
                               "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002\n"
                               "F1ABC;DURAND;Luc;5 rue C;NICE;06000\r\n";

// Every change of the directory file, each one that changes something in kDirectory.
struct Writer {
    const char* name;
    std::function<WriteProblem(const fs::path&, FileLayer&)> run;
};

const Writer kWriters[] = {
    {"append",
     [](const fs::path& folder, FileLayer& files) {
         return appendRecordLine(folder, "F1NEW;NOUVEAU;Jean;1 rue B;LYON;69001", files);
     }},
    {"delete",
     [](const fs::path& folder, FileLayer& files) { return deleteEntry(folder, "F1ABC", {}, files).problem; }},
    {"modifying save",
     [](const fs::path& folder, FileLayer& files) {
         return replaceEntry(folder, "F1ABC", "F1ABC;DUPONT;Jean;1 rue B;LYON;69001", {}, files).problem;
     }},
    {"revision bump",
     [](const fs::path& folder, FileLayer& files) {
         return replaceRevisionLine(folder, "Base Rev 256  du 07/12/2026", files).problem;
     }},
};

struct Directory {
    TemporaryFolder folder;
    Directory() { writeBytes(directoryFilePath(folder.path()), kDirectory); }
    std::string bytes() const { return readBytes(directoryFilePath(folder.path())); }
    bool scratchLeft() const { return fs::exists(scratchFilePath(folder.path())); }
    bool lockLeft() const { return fs::exists(lockFilePath(folder.path())); }
};

std::unique_ptr<FileLock> holdLock(const fs::path& folder)
{
    std::unique_ptr<FileLock> lock;
    EXPECT_EQ(systemFileLayer().tryLock(lockFilePath(folder), lock), LockAttempt::Taken);
    return lock;
}

TEST(WriteLock, AWriterFindingTheLockHeldWaitsThenChangesNothing)
{
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        Directory directory;
        std::unique_ptr<FileLock> other = holdLock(directory.folder.path());
        FailingFileLayer layer;
        EXPECT_EQ(writer.run(directory.folder.path(), layer), WriteProblem::DirectoryBusy);
        EXPECT_EQ(layer.waits, kLockAttempts - 1); // it tried again all along, not just once
        EXPECT_EQ(directory.bytes(), kDirectory);
        EXPECT_FALSE(directory.scratchLeft());
        EXPECT_TRUE(directory.lockLeft()); // the other holder's, untouched

        // Once the other holder is done, the same change goes through and takes its lock away.
        other.reset();
        EXPECT_FALSE(directory.lockLeft());
        EXPECT_EQ(writer.run(directory.folder.path(), layer), WriteProblem::None);
        EXPECT_NE(directory.bytes(), kDirectory);
        EXPECT_FALSE(directory.lockLeft());
    }
}

TEST(WriteLock, ALockReleasedWhileTheWriterWaitsIsTaken)
{
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        Directory directory;
        std::unique_ptr<FileLock> other = holdLock(directory.folder.path());
        FailingFileLayer layer;
        layer.onWait = [&] {
            if (layer.waits == 3)
                other.reset();
        };
        EXPECT_EQ(writer.run(directory.folder.path(), layer), WriteProblem::None);
        EXPECT_EQ(layer.waits, 3);
        EXPECT_NE(directory.bytes(), kDirectory);
        EXPECT_FALSE(directory.lockLeft());
    }
}

TEST(WriteLock, ALockFileNobodyHoldsIsTakenOver)
{
    // What a copy of the program killed in the middle of a change leaves behind.
    for (const std::string& leftover : {std::string(), std::string("4242\nDravelin\nposte\n")}) {
        for (const Writer& writer : kWriters) {
            SCOPED_TRACE(std::string(writer.name) + (leftover.empty() ? ", empty lock file" : ", lock file with text"));
            Directory directory;
            writeBytes(lockFilePath(directory.folder.path()), leftover);
            FailingFileLayer layer;
            EXPECT_EQ(writer.run(directory.folder.path(), layer), WriteProblem::None);
            EXPECT_EQ(layer.waits, 0);
            EXPECT_NE(directory.bytes(), kDirectory);
            EXPECT_FALSE(directory.lockLeft());
        }
    }
}

TEST(WriteLock, ALockThatCannotBeTakenChangesNothing)
{
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        Directory directory;
        FailingFileLayer layer(FileStep::Lock);
        EXPECT_EQ(writer.run(directory.folder.path(), layer), WriteProblem::LockNotCreated);
        EXPECT_EQ(layer.waits, 0); // waiting would not help
        EXPECT_EQ(directory.bytes(), kDirectory);
        EXPECT_FALSE(directory.scratchLeft());
    }
}

TEST(WriteLock, EveryWriterLeavesNoLockFileBehind)
{
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        Directory directory;
        EXPECT_EQ(writer.run(directory.folder.path(), systemFileLayer()), WriteProblem::None);
        EXPECT_FALSE(directory.lockLeft());
        // Failures too: here the scratch file cannot be written.
        FailingFileLayer failing({FileStep::Write, FileStep::OpenForAppend});
        EXPECT_NE(writer.run(directory.folder.path(), failing), WriteProblem::None);
        EXPECT_FALSE(directory.lockLeft());
        EXPECT_FALSE(directory.scratchLeft());
    }
}

// Another copy of the program, as far as the lock goes: it takes the lock, says so, and then
// either holds it until its input closes or is killed holding it.
class OtherProcess {
public:
    OtherProcess(const fs::path& folder, bool dieHolding) : child_(LOCK_HOLDER, {folder.u8string()})
    {
        locked_ = child_.readLine() == "locked";
        if (dieHolding) {
            child_.kill();
            killed_ = child_.wait() == 137; // 128 + SIGKILL, or the code the test ended it with on Windows
        }
    }

    bool locked() const { return locked_; }
    bool killed() const { return killed_; }
    // Lets it release the lock and end.
    void end() { child_.wait(); }

private:
    test::ChildProcess child_;
    bool locked_ = false;
    bool killed_ = false;
};

TEST(WriteLock, AnotherProcessHoldingTheLockKeepsEveryWriterOut)
{
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        Directory directory;
        OtherProcess other(directory.folder.path(), false);
        ASSERT_TRUE(other.locked());
        FailingFileLayer layer;
        EXPECT_EQ(writer.run(directory.folder.path(), layer), WriteProblem::DirectoryBusy);
        EXPECT_EQ(directory.bytes(), kDirectory);
        EXPECT_FALSE(directory.scratchLeft());

        other.end();
        EXPECT_EQ(writer.run(directory.folder.path(), layer), WriteProblem::None);
        EXPECT_NE(directory.bytes(), kDirectory);
        EXPECT_FALSE(directory.lockLeft());
    }
}

TEST(WriteLock, TheLockOfAProcessKilledHoldingItIsTakenOver)
{
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        Directory directory;
        OtherProcess dead(directory.folder.path(), true);
        ASSERT_TRUE(dead.locked());
        ASSERT_TRUE(dead.killed());
#ifndef _WIN32
        ASSERT_TRUE(directory.lockLeft()); // here the lock file outlives its holder
#endif
        FailingFileLayer layer;
        EXPECT_EQ(writer.run(directory.folder.path(), layer), WriteProblem::None);
        EXPECT_EQ(layer.waits, 0);
        EXPECT_NE(directory.bytes(), kDirectory);
        EXPECT_FALSE(directory.lockLeft());
    }
}

// What may bear the lock file's name instead of a lock file: each is refused at once, never
// followed, waited on or replaced.
struct NotALock {
    const char* name;
    std::function<bool(const fs::path& lock, const fs::path& elsewhere)> make; // false where the system cannot
};

const NotALock kNotALock[] = {
    {"a link to a file that does not exist",
     [](const fs::path& lock, const fs::path& elsewhere) {
         std::error_code error;
         fs::create_symlink(elsewhere / "made-through-the-link", lock, error);
         return !error;
     }},
    {"a link to a file of the user's",
     [](const fs::path& lock, const fs::path& elsewhere) {
         writeBytes(elsewhere / "made-through-the-link", "the user's own\n");
         std::error_code error;
         fs::create_symlink(elsewhere / "made-through-the-link", lock, error);
         return !error;
     }},
    {"a folder", [](const fs::path& lock, const fs::path&) { return fs::create_directory(lock); }},
#ifndef _WIN32
    {"a named pipe", [](const fs::path& lock, const fs::path&) { return ::mkfifo(lock.c_str(), 0666) == 0; }},
#endif
};

TEST(WriteLock, WhatIsNoLockFileIsRefusedAndLeftAsItIs)
{
    for (const NotALock& what : kNotALock) {
        for (const Writer& writer : kWriters) {
            SCOPED_TRACE(std::string(what.name) + ", " + writer.name);
            Directory directory;
            TemporaryFolder elsewhere;
            const fs::path lock = lockFilePath(directory.folder.path());
            if (!what.make(lock, elsewhere.path()))
                continue; // this system cannot make it here (links under Wine)
            const std::string before = readBytes(elsewhere.path() / "made-through-the-link");
            FailingFileLayer layer;
            EXPECT_EQ(writer.run(directory.folder.path(), layer), WriteProblem::LockNotRegular);
            EXPECT_EQ(layer.waits, 0); // waiting would not help
            EXPECT_EQ(directory.bytes(), kDirectory);
            EXPECT_FALSE(directory.scratchLeft());
            std::error_code error;
            EXPECT_TRUE(fs::exists(fs::symlink_status(lock, error))); // the user's, left in place
            EXPECT_EQ(readBytes(elsewhere.path() / "made-through-the-link"), before);
            EXPECT_EQ(fs::exists(elsewhere.path() / "made-through-the-link"), !before.empty());
        }
    }
}

#ifndef _WIN32

// Sets the process's umask for as long as it lives.
class Umask {
public:
    explicit Umask(mode_t mask) : previous_(::umask(mask)) {}
    ~Umask() { ::umask(previous_); }

private:
    mode_t previous_;
};

TEST(WriteLock, ALockMadeUnderANarrowUmaskIsReadableByEveryone)
{
    for (const mode_t mask : {mode_t{077}, mode_t{027}, mode_t{022}}) {
        SCOPED_TRACE(mask);
        Directory directory;
        const Umask narrow(mask);
        std::unique_ptr<FileLock> lock = holdLock(directory.folder.path());
        struct stat made {};
        ASSERT_EQ(::stat(lockFilePath(directory.folder.path()).c_str(), &made), 0);
        EXPECT_EQ(made.st_mode & 0444, 0444u);
    }
}

// The directory as another user of a shared folder finds it: the folder is his to write, the
// files in it belong to the super-user. Only a test run by the super-user can set that up.
class OrdinaryUser {
public:
    static constexpr uid_t kNobody = 65534;

    OrdinaryUser()
    {
        if (::geteuid() != 0)
            return;
        std::error_code error;
        const fs::path setpriv = fs::exists("/usr/bin/setpriv", error) ? "/usr/bin/setpriv" : "/bin/setpriv";
        if (!fs::exists(setpriv, error) || ::chown(directory.folder.path().c_str(), kNobody, kNobody) != 0)
            return;
        setpriv_ = setpriv;
        // The folder holding the test's folders must let that user through.
        usable_ = runAs({"/bin/true"}).status == 0;
    }

    bool usable() const { return usable_; }

    test::Finished runAs(std::vector<std::string> command)
    {
        std::vector<std::string> arguments = {"--reuid=65534", "--regid=65534", "--clear-groups"};
        arguments.insert(arguments.end(), command.begin(), command.end());
        return test::runToEnd(setpriv_, arguments, scratch.path());
    }

    test::Finished change(const char* name)
    {
        return runAs({DIRECTORY_WRITER, directory.folder.path().string(), name});
    }

    Directory directory;
    TemporaryFolder scratch;

private:
    fs::path setpriv_;
    bool usable_ = false;
};

const char* const kChanges[] = {"append", "delete", "modify", "bump"};

std::string problemNumber(WriteProblem problem)
{
    return std::to_string(static_cast<int>(problem)) + "\n";
}

TEST(WriteLock, AUserWhoMayNotWriteTheListChangesNothing)
{
    for (const char* change : kChanges) {
        SCOPED_TRACE(change);
        OrdinaryUser user;
        if (!user.usable())
            GTEST_SKIP() << "needs the super-user, setpriv and the user nobody";
        const fs::path file = directoryFilePath(user.directory.folder.path());
        ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
        const test::Finished run = user.change(change);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, problemNumber(WriteProblem::DirectoryNotWritable));
        EXPECT_EQ(user.directory.bytes(), kDirectory);
        struct stat after {};
        ASSERT_EQ(::stat(file.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, 0u); // still the owner's file, with its own rights
        EXPECT_EQ(after.st_mode & 07777, 0644u);
        EXPECT_FALSE(user.directory.scratchLeft());
        EXPECT_FALSE(user.directory.lockLeft());
    }
}

TEST(WriteLock, ALockFileOfAnotherUserIsTakenThroughAReadOnlyOpening)
{
    for (const char* change : kChanges) {
        SCOPED_TRACE(change);
        OrdinaryUser user;
        if (!user.usable())
            GTEST_SKIP() << "needs the super-user, setpriv and the user nobody";
        const fs::path file = directoryFilePath(user.directory.folder.path());
        ASSERT_EQ(::chown(file.c_str(), OrdinaryUser::kNobody, OrdinaryUser::kNobody), 0);
        // Left by a copy of the super-user's that was killed holding it.
        const fs::path lock = lockFilePath(user.directory.folder.path());
        writeBytes(lock, "");
        ASSERT_EQ(::chmod(lock.c_str(), 0644), 0);
        const test::Finished run = user.change(change);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, problemNumber(WriteProblem::None));
        EXPECT_NE(user.directory.bytes(), kDirectory);
    }
}

#endif

} // namespace
} // namespace dravelin
