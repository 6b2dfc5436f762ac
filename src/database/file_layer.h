#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace dravelin {

// A file open for reading.
class ReadHandle {
public:
    virtual ~ReadHandle() = default;

    // Reads up to `size` bytes into `into`: how many were read, 0 at the end of the file, -1 on
    // an error of the system or the disk.
    virtual std::ptrdiff_t read(char* into, std::size_t size) = 0;
    // Goes to `offset` bytes from the start; false on failure.
    virtual bool seek(std::uint64_t offset) = 0;
    // The file's size, when the system tells it.
    virtual std::optional<std::uint64_t> size() = 0;
};

// A file open for writing, with the system calls that make a write durable.
class WriteHandle {
public:
    virtual ~WriteHandle() = default;

    // Writes every byte, or reports failure (some bytes may have been written).
    virtual bool write(std::string_view bytes) = 0;
    // Returns once the bytes written are on the disk.
    virtual bool flushToDisk() = 0;
    // Cuts the file back to `size` bytes, to take back a failed append.
    virtual bool truncate(std::uint64_t size) = 0;
    // Gives the file the access rights of `original`, and its owner and group where the
    // system allows, so that a file that replaces another exposes nothing the other kept
    // private. False when the rights could not be made at least as narrow as the original's.
    virtual bool takePermissionsOf(const std::filesystem::path& original) = 0;
    virtual bool close() = 0;
};

// An advisory lock held on a file: it goes when the object is destroyed, and the system takes
// it back when the process ends, however it ends.
class FileLock {
public:
    virtual ~FileLock() = default;
};

enum class LockAttempt {
    Taken,
    HeldElsewhere, // another process, or another lock of this one, holds it
    Failed,        // the lock file cannot be created or locked (read-only folder, full disk)
    NotRegular,    // a link, a pipe, a folder or a device bears the lock file's name: never followed or waited on
};

enum class ReplaceAttempt {
    Done,
    HeldElsewhere, // the file to replace is open in another process, which may soon close it
    Failed,
};

// The few operations on files that the standard library cannot make durable or atomic.
// The directory code goes through this interface so that tests can make each step fail.
class FileLayer {
public:
    virtual ~FileLayer() = default;

    // Opens an existing regular file for reading; never waits on a pipe or a device of that
    // name, never creates a file. Null on failure. Every read of the directory goes through here.
    virtual std::unique_ptr<ReadHandle> openForReading(const std::filesystem::path& file);
    // Creates the program's scratch file as a new file of its own, readable by its owner alone
    // until takePermissionsOf: whatever bears the name is removed first (a link, never what
    // it leads to; a leftover even if marked read-only), and the file is then created
    // exclusively, without following a link, so that a stale link of that name cannot lead
    // the writes into another file. Null on failure.
    virtual std::unique_ptr<WriteHandle> create(const std::filesystem::path& file) = 0;
    // Creates `file` as a new file of its own, readable by its owner alone until
    // takePermissionsOf, only if nothing bears its name (a link included): whatever does is
    // left as it is. Null on failure, or when the name is taken.
    virtual std::unique_ptr<WriteHandle> createNew(const std::filesystem::path& file);
    // Opens an existing regular file for writing at its end; never creates one, and never
    // waits on a pipe or a device of that name. Null on failure.
    virtual std::unique_ptr<WriteHandle> openForAppend(const std::filesystem::path& file) = 0;
    // Puts `from` in the place of `to` in one atomic step, and makes that step durable.
    // HeldElsewhere where the system refuses to replace a file another process has open:
    // `from` is left whole, and the same call may succeed once the other closes it.
    virtual ReplaceAttempt replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual bool remove(const std::filesystem::path& file) = 0;

    // Takes the advisory lock of `file` without waiting, creating the file if needed (readable
    // by every user, whatever the umask); the file is removed again when the lock goes. A file
    // left by a process that died holds no lock and is taken over, through a read-only opening
    // when a read-write one is refused. Held by the system, not written in the file, so it
    // needs no disk space. A link or anything but a regular file of that name is refused.
    virtual LockAttempt tryLock(const std::filesystem::path& file, std::unique_ptr<FileLock>& lock);
    // Whether this user may write `file` itself: its permissions and owner where the system has
    // them, the read-only mark on Windows. Every change asks before it touches the file.
    virtual bool mayWrite(const std::filesystem::path& file);
    // Lets a moment pass before the next attempt at a lock or a replace held up elsewhere.
    virtual void waitBeforeRetry();
};

// The operating system's own calls. It holds no state.
FileLayer& systemFileLayer();

} // namespace dravelin
