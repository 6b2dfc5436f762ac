#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

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
    {"append", [](const fs::path& folder, FileLayer& files) {
         return appendRecordLine(folder, "F1NEW;NOUVEAU;Jean;1 rue B;LYON;69001", files);
     }},
    {"delete", [](const fs::path& folder, FileLayer& files) { return deleteEntry(folder, "F1ABC", {}, files).problem; }},
    {"modifying save", [](const fs::path& folder, FileLayer& files) {
         return replaceEntry(folder, "F1ABC", "F1ABC;DUPONT;Jean;1 rue B;LYON;69001", {}, files).problem;
     }},
    {"revision bump", [](const fs::path& folder, FileLayer& files) {
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

} // namespace
} // namespace dravelin
