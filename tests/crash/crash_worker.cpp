// crash_worker PROGRAM_FOLDER WORK_FOLDER SEED
//
// Changes the directory file of PROGRAM_FOLDER in an endless loop, through the program's own
// code: an append, a delete, a modifying save and a revision bump, in turn. The crash test
// kills it at random moments and then checks the file.
//
// So that the check is exact, each change is first made on a copy in WORK_FOLDER, giving the
// file as it must be once the change is done. Before touching the real file the worker writes
// WORK_FOLDER/status, naming the copies that hold the file before and after the change under
// way; both copies stay until the status names others. The status file is replaced in one
// rename, so a kill never leaves half of one. The worker writes "op N" on its standard output
// as each real change starts.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "database/append.h"
#include "database/directory_file.h"
#include "database/entry_operations.h"
#include "database/file_layer.h"
#include "database/revision_line.h"
#include "splitmix64.h"
#include "support/file_faults.h"

namespace {

namespace fs = std::filesystem;
using namespace dravelin;

// Draws on splitmix64, the same on every system.
class Rng : public SplitMix64 {
public:
    using SplitMix64::SplitMix64;
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
};
// The copies need not survive a power cut: they skip the flush to disk, which would only
// slow the loop down. The real file goes through the system's layer, flush included.
class UnflushedHandle : public WriteHandle {
public:
    explicit UnflushedHandle(std::unique_ptr<WriteHandle> real) : real_(std::move(real)) {}
    bool write(std::string_view bytes) override { return real_->write(bytes); }
    bool flushToDisk() override { return true; }
    bool truncate(std::uint64_t size) override { return real_->truncate(size); }
    bool takePermissionsOf(const fs::path& original) override { return real_->takePermissionsOf(original); }
    bool close() override { return real_->close(); }

private:
    std::unique_ptr<WriteHandle> real_;
};

class CopyFileLayer : public FileLayer {
public:
    std::unique_ptr<WriteHandle> create(const fs::path& file) override { return wrap(system_.create(file)); }
    std::unique_ptr<WriteHandle> openForAppend(const fs::path& file) override
    {
        return wrap(system_.openForAppend(file));
    }
    ReplaceAttempt replace(const fs::path& from, const fs::path& to) override { return system_.replace(from, to); }
    bool remove(const fs::path& file) override { return system_.remove(file); }

private:
    static std::unique_ptr<WriteHandle> wrap(std::unique_ptr<WriteHandle> real)
    {
        return real ? std::make_unique<UnflushedHandle>(std::move(real)) : nullptr;
    }
    FileLayer& system_ = systemFileLayer();
};

enum class Operation { Append, Delete, Modify, Bump };
constexpr Operation kOperations[] = {Operation::Append, Operation::Delete, Operation::Modify, Operation::Bump};

const char* operationName(Operation operation)
{
    switch (operation) {
    case Operation::Append:
        return "append";
    case Operation::Delete:
        return "delete";
    case Operation::Modify:
        return "modify";
    case Operation::Bump:
        return "bump";
    }
    return "?";
}

// The first field of a record line picked at random, or nothing when the lines tried have none.
std::string randomKey(std::string_view content, Rng& rng)
{
    for (int tries = 0; tries < 100 && !content.empty(); ++tries) {
        const std::size_t lineEnd = content.find('\n', rng.below(content.size()));
        if (lineEnd == std::string_view::npos || lineEnd + 1 >= content.size())
            continue;
        const std::string_view rest = content.substr(lineEnd + 1);
        const std::string_view line = rest.substr(0, rest.find_first_of("\r\n"));
        const std::size_t separator = line.find(';');
        if (separator != std::string_view::npos && separator > 0)
            return std::string(line.substr(0, separator));
    }
    return {};
}

struct Change {
    Operation operation;
    std::string key;
    std::string line; // the record line or the revision line written
};

Change chooseChange(Operation operation, std::string_view content, Rng& rng, std::uint64_t seed, long step)
{
    Change change{operation, {}, {}};
    if (operation == Operation::Delete || operation == Operation::Modify) {
        change.key = randomKey(content, rng);
        if (change.key.empty())
            change.operation = Operation::Bump;
    }
    const std::string tag = std::to_string(seed % 100000) + "-" + std::to_string(step);
    switch (change.operation) {
    case Operation::Append:
        change.line = "FA" + tag + ";AJOUT;Paul;1 rue du Test;PARIS;75001";
        break;
    case Operation::Modify:
        change.line = "FM" + tag + ";MODIFIE;Anne;2 rue du Test;LYON;69001";
        break;
    case Operation::Delete:
        break;
    case Operation::Bump: {
        const std::string_view first = content.substr(0, content.find_first_of("\r\n"));
        // Past 999 the count starts again, so that every bump changes the line.
        change.line = makeRevisionLine((revisionNumber(first) + 1) % 1000, "07/12/2026");
        break;
    }
    }
    return change;
}

// True when the change was made (and changed something).
bool apply(const Change& change, const fs::path& folder, FileLayer& files)
{
    switch (change.operation) {
    case Operation::Append:
        return appendRecordLine(folder, change.line, files) == WriteProblem::None;
    case Operation::Delete: {
        const RewriteResult result = deleteEntry(folder, change.key, {}, files);
        return result.problem == WriteProblem::None && result.changedLines > 0;
    }
    case Operation::Modify: {
        const RewriteResult result = replaceEntry(folder, change.key, change.line, {}, files);
        return result.problem == WriteProblem::None && result.changedLines > 0;
    }
    case Operation::Bump:
        return replaceRevisionLine(folder, change.line, files).problem == WriteProblem::None;
    }
    return false;
}

std::string stateName(long step)
{
    return "state-" + std::to_string(step);
}

bool writeStatus(const fs::path& work, const std::string& text)
{
    const fs::path temporary = work / "status.new";
    {
        std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
        stream << text;
        if (!stream.flush())
            return false;
    }
    std::error_code error;
    fs::rename(temporary, work / "status", error);
    return !error;
}

int fail(const std::string& what)
{
    std::cerr << "crash_worker: " << what << std::endl;
    return 3;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: crash_worker PROGRAM_FOLDER WORK_FOLDER SEED\n";
        return 2;
    }
    const fs::path program = argv[1];
    const fs::path work = argv[2];
    const std::uint64_t seed = std::stoull(argv[3]);
    Rng rng(seed);
    CopyFileLayer copies;

    // Copies left by an earlier run are no longer named by any status.
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::directory_iterator(work))
        if (entry.path().filename().string().rfind("state-", 0) == 0)
            fs::remove_all(entry.path(), ignored);

    long step = 0;
    fs::create_directory(work / stateName(step));
    fs::copy_file(directoryFilePath(program), directoryFilePath(work / stateName(step)));
    if (!writeStatus(work, "start\n\n" + stateName(step) + "\n" + stateName(step) + "\n"))
        return fail("the status file cannot be written");

    for (;; ++step) {
        const fs::path before = work / stateName(step);
        const fs::path after = work / stateName(step + 1);
        const std::string content = test::readBytes(directoryFilePath(before));
        const Change change =
            chooseChange(kOperations[(seed + static_cast<std::uint64_t>(step)) % 4], content, rng, seed, step);

        fs::create_directory(after);
        fs::copy_file(directoryFilePath(before), directoryFilePath(after), fs::copy_options::overwrite_existing);
        if (!apply(change, after, copies))
            return fail(std::string("the ") + operationName(change.operation) + " failed on the copy");

        if (!writeStatus(work, std::string(operationName(change.operation)) + "\n" + change.key + "\n" +
                                   stateName(step) + "\n" + stateName(step + 1) + "\n"))
            return fail("the status file cannot be written");
        if (step > 0)
            fs::remove_all(work / stateName(step - 1), ignored);

        std::cout << "op " << step << ' ' << operationName(change.operation) << std::endl;
        if (!std::cout)
            return 0; // nobody listens any more: the test has ended
        if (!apply(change, program, systemFileLayer()))
            return fail(std::string("the ") + operationName(change.operation) + " failed on the directory file");
    }
}
