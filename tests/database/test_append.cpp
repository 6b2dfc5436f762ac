#include <gtest/gtest.h>

#include <string>

#include "database/append.h"
#include "database/directory_file.h"
#include "support/file_faults.h"

namespace dravelin {
namespace {

using test::FailingFileLayer;
using test::FileStep;
using test::readBytes;
using test::TemporaryFolder;
using test::writeBytes;

const std::string kEntry = "F1NEW;NOUVEAU;Jean;1 rue A;PARIS;75001";

TEST(Append, AddsOneLineAndEndsAnUnendedLastLineFirst)
{
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    };
    const std::string revision = "Base Rev 255  du 11/08/2009";
    const Case cases[] = {
        {"CR LF at the end", revision + "\r\nF1A;B;C;D;E;75001\r\n",
         revision + "\r\nF1A;B;C;D;E;75001\r\n" + kEntry + "\r\n"},
        {"no line end at the end", revision + "\r\nF1A;B;C;D;E;75001",
         revision + "\r\nF1A;B;C;D;E;75001\r\n" + kEntry + "\r\n"},
        {"lone LF at the end", revision + "\nF1A;B;C;D;E;75001\n",
         revision + "\nF1A;B;C;D;E;75001\n" + kEntry + "\r\n"},
        {"lone CR at the end", revision + "\rF1A;B;C;D;E;75001\r",
         revision + "\rF1A;B;C;D;E;75001\r" + kEntry + "\r\n"},
        {"revision line alone, unended", revision, revision + "\r\n" + kEntry + "\r\n"},
        {"empty last line", revision + "\r\n\r\n", revision + "\r\n\r\n" + kEntry + "\r\n"},
        {"bytes outside ASCII untouched", revision + "\r\nF4;L\xC9VY;\x81\x8D;\xFF;\xC9VREUX;27000",
         revision + "\r\nF4;L\xC9VY;\x81\x8D;\xFF;\xC9VREUX;27000\r\n" + kEntry + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        writeBytes(directoryFilePath(folder.path()), c.before);
        EXPECT_EQ(appendRecordLine(folder.path(), kEntry), WriteProblem::None);
        EXPECT_EQ(readBytes(directoryFilePath(folder.path())), c.after);
    }
}

TEST(Append, MissingDirectoryFileIsNotCreated)
{
    TemporaryFolder folder;
    EXPECT_EQ(appendRecordLine(folder.path(), kEntry), WriteProblem::DirectoryMissing);
    EXPECT_FALSE(std::filesystem::exists(directoryFilePath(folder.path())));
}

TEST(Append, EmptyOrUnreadableDirectoryFileIsLeftAlone)
{
    TemporaryFolder folder;
    writeBytes(directoryFilePath(folder.path()), "");
    EXPECT_EQ(appendRecordLine(folder.path(), kEntry), WriteProblem::DirectoryEmpty);
    EXPECT_EQ(readBytes(directoryFilePath(folder.path())), "");

    TemporaryFolder other;
    std::filesystem::create_directory(directoryFilePath(other.path()));
    EXPECT_EQ(appendRecordLine(other.path(), kEntry), WriteProblem::DirectoryNotReadable);
}

TEST(Append, EveryFailingStepLeavesTheFileAsItWas)
{
    struct Case {
        FileStep step;
        WriteProblem problem;
        std::uint64_t readFailsAt = 0; // for Read: the offset of the first byte that cannot be read
    };
    const Case cases[] = {
        {FileStep::OpenForReading, WriteProblem::DirectoryNotReadable},
        {FileStep::Read, WriteProblem::DirectoryNotReadable, 0},
        {FileStep::Read, WriteProblem::DirectoryNotReadable, 20}, // only the last byte is read: any fault before it
        {FileStep::OpenForAppend, WriteProblem::DirectoryNotOpened},
        {FileStep::Write, WriteProblem::DirectoryNotWritten}, // half the bytes were written, then cut off
        {FileStep::Flush, WriteProblem::DirectoryNotWritten},
    };
    for (const std::string& before : {std::string("Base Rev 255  du 11/08/2009\r\nF1A;B;C;D;E;75001\r\n"),
                                      std::string("Base Rev 255  du 11/08/2009\r\nF1A;B;C;D;E;75001")}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(test::stepName(c.step) + (before.back() == '\n' ? " / ended" : " / unended"));
            TemporaryFolder folder;
            writeBytes(directoryFilePath(folder.path()), before);
            FailingFileLayer layer(c.step);
            layer.readFailsAt = c.readFailsAt;
            EXPECT_EQ(appendRecordLine(folder.path(), kEntry, layer), c.problem);
            EXPECT_EQ(readBytes(directoryFilePath(folder.path())), before);
        }
    }
}

TEST(Append, FailedUndoIsToldApart)
{
    // Cutting the failed write off fails too: the file may end with part of the line, and
    // the caller must not be told that the file is unchanged.
    for (const FileStep step : {FileStep::Write, FileStep::Flush}) {
        SCOPED_TRACE(test::stepName(step));
        TemporaryFolder folder;
        writeBytes(directoryFilePath(folder.path()), "Base Rev 255  du 11/08/2009\r\n");
        FailingFileLayer layer({step, FileStep::Truncate});
        EXPECT_EQ(appendRecordLine(folder.path(), kEntry, layer), WriteProblem::AppendNotUndone);
    }
}

TEST(Append, ReadOnlyDirectoryFileIsRefused)
{
    TemporaryFolder folder;
    const std::string before = "Base Rev 255  du 11/08/2009\r\n";
    writeBytes(directoryFilePath(folder.path()), before);
    test::ReadOnlyGuard readOnly(directoryFilePath(folder.path()));
    if (!readOnly.effective())
        GTEST_SKIP() << "this system lets the file be written anyway";
    // Told as every other change tells it, before any attempt to open the file for writing.
    EXPECT_EQ(appendRecordLine(folder.path(), kEntry), WriteProblem::DirectoryNotWritable);
    EXPECT_EQ(readBytes(directoryFilePath(folder.path())), before);
}

} // namespace
} // namespace dravelin
