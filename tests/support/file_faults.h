#pragma once

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "database/file_layer.h"

namespace dravelin::test {

// The steps of the file layer, each of which a test can make fail.
enum class FileStep {
    None,
    Create,
    Permissions,
    Write,
    Flush,
    Truncate,
    Close,
    OpenForAppend,
    Replace,
    Remove,
    Lock,
    OpenForReading,
    Read, // from readFailsAt on, as a disk with a bad sector there
};

std::string stepName(FileStep step);

// Thrown at the step chosen to crash: the program stops there, as if the power went off.
struct SimulatedCrash : std::runtime_error {
    SimulatedCrash() : std::runtime_error("simulated crash") {}
};

// The real file layer, except that the chosen steps fail (or crash). A failing write first
// writes half of its bytes, as a full disk does.
class FailingFileLayer : public FileLayer {
public:
    explicit FailingFileLayer(FileStep failingStep = FileStep::None, bool crashAtStep = false);
    explicit FailingFileLayer(std::initializer_list<FileStep> failingSteps);

    std::unique_ptr<ReadHandle> openForReading(const std::filesystem::path& file) override;
    std::unique_ptr<WriteHandle> create(const std::filesystem::path& file) override;
    // The Create step too, for the scratch file beside a linked directory file.
    std::unique_ptr<WriteHandle> createNew(const std::filesystem::path& file) override;
    std::unique_ptr<WriteHandle> openForAppend(const std::filesystem::path& file) override;
    ReplaceAttempt replace(const std::filesystem::path& from, const std::filesystem::path& to) override;
    bool remove(const std::filesystem::path& file) override;
    // The system's lock; a failing Lock step reports a lock file that cannot be created.
    LockAttempt tryLock(const std::filesystem::path& file, std::unique_ptr<FileLock>& lock) override;
    // Does not wait: counts, and runs onWait as if another process acted meanwhile.
    void waitBeforeRetry() override;

    // True when the step should fail now; throws when it should crash. Records every step.
    bool fails(FileStep step);

    std::set<FileStep> failing;
    bool crash = false;
    std::vector<FileStep> steps; // every step asked for, in order
    int waits = 0;
    // With Read failing: every byte before this offset of the file is read, then reads fail.
    std::uint64_t readFailsAt = 0;
    std::function<void()> onWait;

private:
    FileLayer& real_;
};

// A folder of its own under the system's temporary folder, removed with what it holds.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Makes a file or a folder refuse to be written, for as long as the guard lives. Write
// permission bits alone do not stop the super-user, so where the system offers it the
// immutable attribute is set as well, unless the mark alone is wanted (the read-only
// attribute on Windows).
class ReadOnlyGuard {
public:
    explicit ReadOnlyGuard(std::filesystem::path target, bool immutableWherePossible = true);
    ~ReadOnlyGuard();
    ReadOnlyGuard(const ReadOnlyGuard&) = delete;
    ReadOnlyGuard& operator=(const ReadOnlyGuard&) = delete;

    // Whether writing is really refused here (a test that needs it is skipped otherwise).
    bool effective() const;
    // Whether the system's immutable attribute is set: then not even the super-user may
    // remove the file or rename over it.
    bool immutable() const { return immutable_; }

private:
    std::filesystem::path target_;
    std::filesystem::perms permissions_;
    bool immutable_ = false;
};

// A small file system of its own (a Linux tmpfs on a fresh temporary folder), for a disk that
// fills up or turns read-only. Mounting needs the right to mount: without it, or on another
// system, mounted() is false and the test that needs it is skipped.
class SmallFileSystem {
public:
    explicit SmallFileSystem(std::size_t bytes);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    const std::filesystem::path& path() const { return mountPoint_.path(); }
    // The unit in which files take up space: a file ending inside a block can still grow a
    // little on a full disk.
    std::size_t blockSize() const;

    // Takes every free block with a filler file: the next block asked for is refused.
    bool fill();
    // Gives the blocks of the filler back.
    void makeRoom();
    bool setReadOnly(bool readOnly);

private:
    TemporaryFolder mountPoint_;
    bool mounted_ = false;
};

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

} // namespace dravelin::test
