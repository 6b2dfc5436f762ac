#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "database/buffered_stream.h"
#include "database/directory_file.h"
#include "database/entry_operations.h"
#include "database/rewrite.h"
#include "support/child_process.h"
#include "support/file_faults.h"

namespace dravelin {
namespace {

using test::FailingFileLayer;
using test::FileStep;
using test::readBytes;
using test::ReadOnlyGuard;
using test::TemporaryFolder;
using test::writeBytes;

const std::string kRevision = "Base Rev 255  du 11/08/2009";
const std::string kNewEntry = "F1NEW;NOUVEAU;Jean;1 rue A;PARIS;75001";

// A directory with every kind of line a rewrite must carry over untouched.
const std::string kMixed =
    kRevision + "\r\n" +
    "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001\r\n"
    "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002\n"                        // lone LF
    "\r\n"                                                                // empty line
    "malformed line without separators\r"                                 // lone CR
    "F9BAD;too;few\r\n"                                                   // fewer than five ";"
    "F4XYZ;L\xC9VY;H\xE9l\xE8ne;\x81\x8D\x8F\x90\x9D;\xC9VREUX;27000\r\n" // bytes outside the letters
    "  \t ;\t;;;;\r\n"                                                    // spaces and tabs
    "F1ABC;DURAND;Luc;5 rue C;NICE;06000\r\n"
    ";SANS;Indicatif;;;00000\r\n"
    "f1abc;minuscule;x;y;PARIS;75003\r\n"
    "F1ABC CET INDICATIF EST ATTRIBUE MAIS;X;;;;75004\r\n"
    "F0LAST;DERNIER;Zoe;9 rue Z;NANTES;44000"; // no line end

// kMixed with every line end made CR LF and the lines of F1ABC changed by `f1abc`.
std::string expectedMixed(const std::string& firstLine, const std::function<std::string(const std::string&)>& f1abc)
{
    return firstLine + "\r\n" + "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001\r\n" +
           f1abc("F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002") +
           "\r\n"
           "malformed line without separators\r\n"
           "F9BAD;too;few\r\n"
           "F4XYZ;L\xC9VY;H\xE9l\xE8ne;\x81\x8D\x8F\x90\x9D;\xC9VREUX;27000\r\n"
           "  \t ;\t;;;;\r\n" +
           f1abc("F1ABC;DURAND;Luc;5 rue C;NICE;06000") +
           ";SANS;Indicatif;;;00000\r\n"
           "f1abc;minuscule;x;y;PARIS;75003\r\n"
           "F1ABC CET INDICATIF EST ATTRIBUE MAIS;X;;;;75004\r\n"
           "F0LAST;DERNIER;Zoe;9 rue Z;NANTES;44000\r\n";
}

// The three rewrites of the directory file, and kMixed as each leaves it.
struct RewriteOperation {
    const char* name;
    std::function<RewriteResult(const std::filesystem::path&, FileLayer&)> run;
    std::string expected;
};

std::vector<RewriteOperation> rewriteOperations()
{
    const std::string raised = "Base Rev 256  du 07/12/2026";
    return {
        {"delete", [](const auto& folder, FileLayer& files) { return deleteEntry(folder, "F1ABC", {}, files); },
         expectedMixed(kRevision, [](const std::string&) { return std::string(); })},
        {"replace",
         [](const auto& folder, FileLayer& files) { return replaceEntry(folder, "F1ABC", kNewEntry, {}, files); },
         expectedMixed(kRevision, [](const std::string&) { return kNewEntry + "\r\n"; })},
        {"revision",
         [raised](const auto& folder, FileLayer& files) { return replaceRevisionLine(folder, raised, files); },
         expectedMixed(raised, [](const std::string& line) { return line + "\r\n"; })},
    };
}

struct Directory {
    TemporaryFolder folder;
    explicit Directory(const std::string& bytes) { writeBytes(file(), bytes); }
    std::filesystem::path file() const { return directoryFilePath(folder.path()); }
    std::filesystem::path scratch() const { return scratchFilePath(folder.path()); }
    std::string bytes() const { return readBytes(file()); }
};

TEST(Rewrite, ChangesOnlyTheLinesOfTheKeyAndCopiesEveryOtherByteForByte)
{
    struct Case {
        const char* name;
        std::function<RewriteResult(const std::filesystem::path&)> run;
        std::string expected;
        std::size_t changed;
    };
    const auto dropped = [](const std::string&) { return std::string(); };
    const auto replaced = [](const std::string&) { return kNewEntry + "\r\n"; };
    const auto kept = [](const std::string& line) { return line + "\r\n"; };
    const Case cases[] = {
        {"delete drops both lines of the key", [](const auto& folder) { return deleteEntry(folder, "F1ABC"); },
         expectedMixed(kRevision, dropped), 2},
        {"replace puts the new line in place of both",
         [](const auto& folder) { return replaceEntry(folder, "F1ABC", kNewEntry); },
         expectedMixed(kRevision, replaced), 2},
        {"new revision line copies every record",
         [](const auto& folder) { return replaceRevisionLine(folder, "Base Rev 256  du 07/12/2026"); },
         expectedMixed("Base Rev 256  du 07/12/2026", kept), 0},
        {"the empty key deletes the line without callsign only",
         [](const auto& folder) { return deleteEntry(folder, ""); },
         [] {
             std::string bytes = expectedMixed(kRevision, [](const std::string& line) { return line + "\r\n"; });
             const std::string gone = ";SANS;Indicatif;;;00000\r\n";
             return bytes.erase(bytes.find(gone), gone.size());
         }(),
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Directory directory(kMixed);
        const RewriteResult result = c.run(directory.folder.path());
        EXPECT_EQ(result.problem, WriteProblem::None);
        EXPECT_EQ(result.changedLines, c.changed);
        EXPECT_EQ(directory.bytes(), c.expected);
        EXPECT_FALSE(std::filesystem::exists(directory.scratch()));
    }
}

TEST(Rewrite, RevisionLineIsNeverTakenForAnEntry)
{
    Directory directory("F1ABC;Base Rev 255\r\nF1ABC;A;B;C;D;75001\r\n");
    EXPECT_EQ(deleteEntry(directory.folder.path(), "F1ABC").changedLines, 1u);
    EXPECT_EQ(directory.bytes(), "F1ABC;Base Rev 255\r\n");
}

TEST(Rewrite, NothingToChangeLeavesTheFileUntouched)
{
    // Without a match the line ends are not even made CR LF: the file is not rewritten.
    const std::pair<const char*, std::function<RewriteResult(const std::filesystem::path&)>> cases[] = {
        {"delete of an unknown key", [](const auto& folder) { return deleteEntry(folder, "F0NONE"); }},
        {"replace of an unknown key", [](const auto& folder) { return replaceEntry(folder, "F0NONE", kNewEntry); }},
        {"lower-case key", [](const auto& folder) { return deleteEntry(folder, "f1ABC"); }},
        {"orange-list callsign", [](const auto& folder) { return deleteEntry(folder, "F2AA"); }},
    };
    for (const auto& [name, run] : cases) {
        SCOPED_TRACE(name);
        Directory directory(kMixed + "\r\nF2AACET INDICATIF EST ATTRIBUE MAIS;X;;;;1");
        const RewriteResult result = run(directory.folder.path());
        EXPECT_EQ(result.problem, WriteProblem::None);
        EXPECT_EQ(result.changedLines, 0u);
        EXPECT_EQ(directory.bytes(), kMixed + "\r\nF2AACET INDICATIF EST ATTRIBUE MAIS;X;;;;1");
        EXPECT_FALSE(std::filesystem::exists(directory.scratch()));
    }
}

TEST(Rewrite, PendingEventsRunOnceAfterTheFirstLineBeforeTheFileChanges)
{
    Directory directory(kMixed);
    int passes = 0;
    std::string duringPass;
    const RewriteResult result = deleteEntry(directory.folder.path(), "F1ABC", [&] {
        ++passes;
        duringPass = directory.bytes();
        EXPECT_TRUE(std::filesystem::exists(directory.scratch()));
    });
    EXPECT_EQ(result.problem, WriteProblem::None);
    EXPECT_EQ(passes, 1);
    EXPECT_EQ(duringPass, kMixed);
}

TEST(Rewrite, LeftoverScratchFileIsReplacedAndRemoved)
{
    // Temporaire.txt is the program's own: a read-only mark on a leftover (a copy from a CD, a
    // backup tool) stops no change, wherever the system keeps such a mark.
    for (const bool markedReadOnly : {false, true}) {
        SCOPED_TRACE(markedReadOnly ? "read-only Temporaire.txt" : "writable Temporaire.txt");
        Directory directory(kMixed);
        writeBytes(directory.scratch(), "left over by a crash\r\nwith more lines than the new file will have\r\n" +
                                            std::string(100000, 'x'));
        std::unique_ptr<ReadOnlyGuard> readOnly;
        if (markedReadOnly) {
            readOnly = std::make_unique<ReadOnlyGuard>(directory.scratch(), false);
            ASSERT_EQ(std::filesystem::status(directory.scratch()).permissions() & std::filesystem::perms::owner_write,
                      std::filesystem::perms::none);
        }
        EXPECT_EQ(deleteEntry(directory.folder.path(), "F1ABC").problem, WriteProblem::None);
        EXPECT_EQ(directory.bytes(), expectedMixed(kRevision, [](const std::string&) { return std::string(); }));
        EXPECT_FALSE(std::filesystem::exists(directory.scratch()));
    }
}

TEST(Rewrite, ReadOnlyLeftoverScratchFileThatIsAlsoAnotherFileKeepsThatFilesMark)
{
    // Temporaire.txt is another name of a file the user marked read-only. Where removing a
    // name needs the mark cleared first, and the mark belongs to the file under both names, the
    // rewrite is refused rather than take it off the user's file; elsewhere the name alone goes.
#ifdef _WIN32
    const WriteProblem expected = WriteProblem::ScratchNotCreated;
#else
    const WriteProblem expected = WriteProblem::None;
#endif
    Directory directory(kMixed);
    const std::filesystem::path kept = directory.folder.path() / "kept.txt";
    writeBytes(kept, "the user's own\r\n");
    std::filesystem::create_hard_link(kept, directory.scratch());
    ReadOnlyGuard readOnly(kept, false);
    EXPECT_EQ(deleteEntry(directory.folder.path(), "F1ABC").problem, expected);
    EXPECT_EQ(directory.bytes(), expected == WriteProblem::None
                                     ? expectedMixed(kRevision, [](const std::string&) { return std::string(); })
                                     : kMixed);
    EXPECT_EQ(readBytes(kept), "the user's own\r\n");
    EXPECT_EQ(std::filesystem::status(kept).permissions() & std::filesystem::perms::owner_write,
              std::filesystem::perms::none);
}

TEST(Rewrite, LargeFileIsWrittenInChunksWithoutLoss)
{
    std::string before = kRevision + "\r\n";
    std::string after = before;
    for (int i = 0; i < 60000; ++i) {
        const std::string line = "F" + std::to_string(i) + ";NOM " + std::to_string(i) + ";Prenom;1 rue A;VILLE;75001";
        before += line + (i % 2 ? "\n" : "\r\n");
        if (i != 31234)
            after += line + "\r\n";
    }
    Directory directory(before);
    EXPECT_EQ(deleteEntry(directory.folder.path(), "F31234").changedLines, 1u);
    EXPECT_EQ(directory.bytes(), after);
}

TEST(Rewrite, EveryFailingStepLeavesTheFileAsItWasAndNoScratchFile)
{
    struct Case {
        FileStep step;
        WriteProblem problem;
        std::uint64_t readFailsAt = 0; // for Read: the offset of the first byte that cannot be read
    };
    const Case cases[] = {
        {FileStep::OpenForReading, WriteProblem::DirectoryNotReadable},
        {FileStep::Read, WriteProblem::DirectoryNotReadable, 0},
        {FileStep::Read, WriteProblem::DirectoryNotReadable, 10},  // in the revision line
        {FileStep::Read, WriteProblem::DirectoryNotReadable, 120}, // between the lines of the key
        {FileStep::Read, WriteProblem::DirectoryNotReadable, kMixed.size() - 1},
        {FileStep::Read, WriteProblem::DirectoryNotReadable, kMixed.size()}, // every byte in, the end not told
        {FileStep::Create, WriteProblem::ScratchNotCreated},
        {FileStep::Permissions, WriteProblem::PermissionsNotKept},
        {FileStep::Write, WriteProblem::ScratchNotWritten},
        {FileStep::Flush, WriteProblem::ScratchNotWritten},
        {FileStep::Close, WriteProblem::ScratchNotWritten},
        {FileStep::Replace, WriteProblem::DirectoryNotReplaced},
    };
    for (const RewriteOperation& operation : rewriteOperations()) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(operation.name) + " / " + test::stepName(c.step) + " " +
                         std::to_string(c.readFailsAt));
            Directory directory(kMixed);
            FailingFileLayer layer(c.step);
            layer.readFailsAt = c.readFailsAt;
            EXPECT_EQ(operation.run(directory.folder.path(), layer).problem, c.problem);
            EXPECT_EQ(directory.bytes(), kMixed);
            EXPECT_FALSE(std::filesystem::exists(directory.scratch()));
        }
    }
}

TEST(Rewrite, ALineLongerThanTheLongestIsCopiedByteForByteAndNeverChanged)
{
    // A line of the key too long to be an entry, and a long first line, each once with a line
    // end and once at the end of the file.
    const std::string longKeyLine = "F1ABC;" + std::string(3 * kLongestLine + 17, 'y');
    const std::string longFirstLine = kRevision + std::string(2 * kLongestLine, ' ');
    struct Case {
        const char* name;
        std::string before;
        std::string after; // of the delete
    };
    const Case cases[] = {
        {"long line among entries",
         kRevision + "\r\nF1ABC;A;B;C;D;75001\r\n" + longKeyLine + "\nF6ZZZ;M;P;1;PARIS;75001\r\n",
         kRevision + "\r\n" + longKeyLine + "\r\nF6ZZZ;M;P;1;PARIS;75001\r\n"},
        {"long last line", kRevision + "\r\nF1ABC;A;B;C;D;75001\r\n" + longKeyLine,
         kRevision + "\r\n" + longKeyLine + "\r\n"},
        {"long first line", longFirstLine + "\rF1ABC;A;B;C;D;75001\r\n", longFirstLine + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Directory directory(c.before);
        const RewriteResult deleted = deleteEntry(directory.folder.path(), "F1ABC");
        EXPECT_EQ(deleted.problem, WriteProblem::None);
        EXPECT_EQ(deleted.changedLines, 1u);
        EXPECT_EQ(directory.bytes(), c.after);
    }
    // Such a first line is no revision line: a bump leaves it, and the file, as they were.
    for (const bool seen : {false, true}) {
        Directory directory(longFirstLine + "\r\nF1ABC;A;B;C;D;75001\r\n");
        const auto seenLine = seen ? std::optional<std::string_view>("") : std::nullopt;
        EXPECT_EQ(
            replaceRevisionLine(directory.folder.path(), "Base Rev 256  du 07/12/2026", systemFileLayer(), seenLine)
                .problem,
            WriteProblem::RevisionLineTooLong);
        EXPECT_EQ(directory.bytes(), longFirstLine + "\r\nF1ABC;A;B;C;D;75001\r\n");
        EXPECT_FALSE(std::filesystem::exists(directory.scratch()));
    }
}

// A list kept in a folder of the user's, reached through a link from the program folder.
struct LinkedDirectory {
    TemporaryFolder program;
    TemporaryFolder elsewhere;
    bool linked = false;
    explicit LinkedDirectory(const std::string& bytes)
    {
        writeBytes(list(), bytes);
        std::error_code error;
        std::filesystem::create_symlink(list(), directoryFilePath(program.path()), error);
        linked = !error;
    }
    std::filesystem::path list() const { return elsewhere.path() / "liste.csv"; }
    std::set<std::string> namesElsewhere() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(elsewhere.path()))
            names.insert(entry.path().filename().u8string());
        return names;
    }
};

TEST(Rewrite, ALinkedListIsRewrittenBesideItsTargetUnderAScratchNameOfItsOwn)
{
    // Only the exact pattern of the list's own name is a leftover of a killed rewrite.
    const std::set<std::string> theUsers = {
        "Temporaire.txt",       ".liste.csv.AbC12.tmp",          ".liste.csv.AbC1234.tmp", ".liste.csv.AbC123.tmp.bak",
        "liste.csv.AbC123.tmp", ".Annuaire_Amat.csv.AbC123.tmp", ".liste.csv.AbC-23.tmp",  ".LISTE.csv.AbC123.tmp"};
    const std::set<std::string> leftovers = {".liste.csv.AbC123.tmp", ".liste.csv.zzzzzz.tmp", ".liste.csv.000000.tmp"};
    for (const RewriteOperation& operation : rewriteOperations()) {
        for (const bool creationFails : {false, true}) {
            SCOPED_TRACE(std::string(operation.name) + (creationFails ? ", scratch not created" : ""));
            LinkedDirectory directory(kMixed);
            if (!directory.linked)
                GTEST_SKIP() << "this system makes no symbolic link here";
            for (const std::string& name : theUsers)
                writeBytes(directory.elsewhere.path() / name, "the user's own " + name);
            for (const std::string& name : leftovers)
                writeBytes(directory.elsewhere.path() / name, "left by a killed rewrite");
            std::filesystem::create_directory(directory.elsewhere.path() / ".liste.csv.Folder.tmp");
            FailingFileLayer layer(creationFails ? FileStep::Create : FileStep::None);
            int created = 0;
            const RewriteResult result = operation.run(directory.program.path(), layer);
            for (const FileStep step : layer.steps)
                created += step == FileStep::Create;
            EXPECT_EQ(result.problem, creationFails ? WriteProblem::ScratchNotCreated : WriteProblem::None);
            EXPECT_EQ(result.scratchName, ".liste.csv.XXXXXX.tmp"); // as messages name it
            EXPECT_EQ(created, 1);
            EXPECT_EQ(readBytes(directory.list()) == kMixed, creationFails);
            EXPECT_TRUE(std::filesystem::is_symlink(directoryFilePath(directory.program.path())));
            std::set<std::string> expected = theUsers;
            expected.insert({"liste.csv", ".liste.csv.Folder.tmp"});
            EXPECT_EQ(directory.namesElsewhere(), expected);
            for (const std::string& name : theUsers)
                EXPECT_EQ(readBytes(directory.elsewhere.path() / name), "the user's own " + name);
            // Nothing of the rewrite is left in the program folder either.
            EXPECT_FALSE(std::filesystem::exists(scratchFilePath(directory.program.path())));
        }
    }
}

TEST(Rewrite, DirectoryFileOpenInAnotherProcessIsReplacedOnceClosedWithinTheBound)
{
    // Another copy of the program in the middle of a search has the directory file open for a
    // moment. Where that keeps a rename from replacing it, the rewrite tries again, with the
    // same pause as for the write lock, and refuses only when the file stays open throughout;
    // elsewhere the rename goes through at once.
#ifdef _WIN32
    const bool openFileBlocksRename = true;
#else
    const bool openFileBlocksRename = false;
#endif
    const std::pair<const char*, bool> holders[] = {{"closed at the first pause", true}, {"never closed", false}};
    for (const RewriteOperation& operation : rewriteOperations()) {
        for (const auto& [holderName, letsGo] : holders) {
            SCOPED_TRACE(std::string(operation.name) + " / " + holderName);
            Directory directory(kMixed);
            test::ChildProcess holder(FILE_HOLDER, {directory.file().u8string()});
            ASSERT_TRUE(holder.started()) << holder.startError();
            ASSERT_EQ(holder.readLine(), "open");

            FailingFileLayer layer; // its pauses do not wait, and let the holder act
            std::string scratchWhileHeld;
            layer.onWait = [&, letsGo = letsGo] {
                if (layer.waits != 1)
                    return;
                scratchWhileHeld = readBytes(directory.scratch());
                if (letsGo) {
                    holder.closeInput();
                    EXPECT_EQ(holder.readLine(), "closed");
                }
            };
            const RewriteResult result = operation.run(directory.folder.path(), layer);

            const bool refused = openFileBlocksRename && !letsGo;
            EXPECT_EQ(result.problem, refused ? WriteProblem::DirectoryNotReplaced : WriteProblem::None);
            EXPECT_EQ(layer.waits, !openFileBlocksRename ? 0 : letsGo ? 1 : kReplaceAttempts - 1);
            EXPECT_EQ(directory.bytes(), refused ? kMixed : operation.expected);
            if (openFileBlocksRename) {
                EXPECT_EQ(scratchWhileHeld, operation.expected); // whole while it waits
            }
            EXPECT_FALSE(std::filesystem::exists(directory.scratch()));
            EXPECT_FALSE(std::filesystem::exists(lockFilePath(directory.folder.path())));
            EXPECT_EQ(holder.wait(), 0);
        }
    }
}

TEST(Rewrite, CrashAtAnyStepLeavesTheOldFileWholeAndTheNextRewriteWorks)
{
    for (const FileStep step :
         {FileStep::Create, FileStep::Write, FileStep::Flush, FileStep::Close, FileStep::Replace}) {
        SCOPED_TRACE(test::stepName(step));
        Directory directory(kMixed);
        FailingFileLayer crashing(step, true);
        EXPECT_THROW(deleteEntry(directory.folder.path(), "F1ABC", {}, crashing), test::SimulatedCrash);
        EXPECT_EQ(directory.bytes(), kMixed);

        EXPECT_EQ(deleteEntry(directory.folder.path(), "F1ABC").problem, WriteProblem::None);
        EXPECT_EQ(directory.bytes(), expectedMixed(kRevision, [](const std::string&) { return std::string(); }));
        EXPECT_FALSE(std::filesystem::exists(directory.scratch()));
    }
}

TEST(Rewrite, SuccessfulRewriteAsksForTheStepsInTheirSafeOrder)
{
    Directory directory(kMixed);
    FailingFileLayer layer;
    EXPECT_EQ(deleteEntry(directory.folder.path(), "F1ABC", {}, layer).problem, WriteProblem::None);
    // The scratch file is whole and on the disk before it replaces the directory; nothing is
    // ever deleted first.
    const std::vector<FileStep> expected = {FileStep::Lock,        FileStep::OpenForReading, FileStep::Create,
                                            FileStep::Permissions, FileStep::Write,          FileStep::Flush,
                                            FileStep::Close,       FileStep::Replace};
    EXPECT_EQ(layer.steps, expected);
}

TEST(Rewrite, DirectoryProblemsAreToldAndNothingIsCreated)
{
    {
        TemporaryFolder folder;
        EXPECT_EQ(deleteEntry(folder.path(), "F1ABC").problem, WriteProblem::DirectoryMissing);
        EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    }
    {
        Directory directory("");
        EXPECT_EQ(replaceRevisionLine(directory.folder.path(), "Base Rev 001  du 07/12/2026").problem,
                  WriteProblem::DirectoryEmpty);
        EXPECT_EQ(directory.bytes(), "");
        EXPECT_FALSE(std::filesystem::exists(directory.scratch()));
    }
    {
        TemporaryFolder folder;
        std::filesystem::create_directory(directoryFilePath(folder.path()));
        EXPECT_EQ(deleteEntry(folder.path(), "F1ABC").problem, WriteProblem::DirectoryNotReadable);
        EXPECT_FALSE(std::filesystem::exists(scratchFilePath(folder.path())));
    }
}

TEST(Rewrite, RevisionLineIsReplacedOnlyIfItStillReadsAsSeen)
{
    Directory directory(kMixed);
    const std::string raised = "Base Rev 256  du 07/12/2026";
    // Raised meanwhile by another copy of the program: the change was decided on a line
    // that is no longer there.
    EXPECT_EQ(
        replaceRevisionLine(directory.folder.path(), raised, systemFileLayer(), "Base Rev 254  du 11/08/2009").problem,
        WriteProblem::FirstLineChanged);
    EXPECT_EQ(directory.bytes(), kMixed);
    EXPECT_FALSE(std::filesystem::exists(directory.scratch()));
    EXPECT_FALSE(std::filesystem::exists(lockFilePath(directory.folder.path())));

    EXPECT_EQ(replaceRevisionLine(directory.folder.path(), raised, systemFileLayer(), kRevision).problem,
              WriteProblem::None);
    EXPECT_EQ(directory.bytes(), expectedMixed(raised, [](const std::string& line) { return line + "\r\n"; }));
}

TEST(Rewrite, ScratchNameTakenByAFolderIsReported)
{
    Directory directory(kMixed);
    std::filesystem::create_directory(directory.scratch());
    EXPECT_EQ(deleteEntry(directory.folder.path(), "F1ABC").problem, WriteProblem::ScratchNotCreated);
    EXPECT_EQ(directory.bytes(), kMixed);
    EXPECT_TRUE(std::filesystem::is_directory(directory.scratch()));
}

TEST(Rewrite, ReadOnlyFolderIsReported)
{
    Directory directory(kMixed);
    ReadOnlyGuard readOnly(directory.folder.path());
    if (!readOnly.effective())
        GTEST_SKIP() << "this system lets the folder be written anyway";
    // Not even the lock file can be created there.
    EXPECT_EQ(deleteEntry(directory.folder.path(), "F1ABC").problem, WriteProblem::LockNotCreated);
    EXPECT_EQ(directory.bytes(), kMixed);
    EXPECT_FALSE(std::filesystem::exists(directory.scratch()));
}

TEST(Rewrite, ImmutableLeftoverScratchFileIsReportedAndLeftAsItWas)
{
    Directory directory(kMixed);
    writeBytes(directory.scratch(), "left over\r\n");
    ReadOnlyGuard readOnly(directory.scratch());
    // A mere read-only mark is no obstacle (LeftoverScratchFileIsReplacedAndRemoved).
    if (!readOnly.immutable())
        GTEST_SKIP() << "this system cannot keep Temporaire.txt from being removed";
    EXPECT_EQ(deleteEntry(directory.folder.path(), "F1ABC").problem, WriteProblem::ScratchNotCreated);
    EXPECT_EQ(directory.bytes(), kMixed);
    EXPECT_EQ(readBytes(directory.scratch()), "left over\r\n");
}

TEST(Rewrite, ReadOnlyDirectoryFileIsNotReplaced)
{
    Directory directory(kMixed);
    ReadOnlyGuard readOnly(directory.file());
    EXPECT_EQ(deleteEntry(directory.folder.path(), "F1ABC").problem, WriteProblem::DirectoryReadOnly);
    EXPECT_EQ(directory.bytes(), kMixed);
    EXPECT_FALSE(std::filesystem::exists(directory.scratch()));
}

} // namespace
} // namespace dravelin
