// The file layer on POSIX systems: the calls behind systemFileLayer() and the lock.
#include "database/file_layer_system.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace dravelin {

namespace {

class SystemWriteHandle : public WriteHandle {
public:
    explicit SystemWriteHandle(int descriptor) : descriptor_(descriptor) {}
    ~SystemWriteHandle() override { close(); }

    bool write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    bool flushToDisk() override { return ::fsync(descriptor_) == 0; }

    bool truncate(std::uint64_t size) override
    {
        return ::ftruncate(descriptor_, static_cast<off_t>(size)) == 0 && ::fsync(descriptor_) == 0;
    }

    bool takePermissionsOf(const std::filesystem::path& original) override
    {
        struct stat wanted {};
        if (::stat(original.c_str(), &wanted) != 0)
            return false;
        // Owner and group before the mode, since a change of owner clears the set-ID bits.
        // Only the super-user may give a file away; a member of the group may still keep it.
        const bool groupKept = ::fchown(descriptor_, wanted.st_uid, wanted.st_gid) == 0 ||
                               ::fchown(descriptor_, static_cast<uid_t>(-1), wanted.st_gid) == 0;
        struct stat made {};
        if (::fstat(descriptor_, &made) != 0)
            return false;
        mode_t mode = wanted.st_mode & 07777;
        // The group's rights were given to the original's group, not to the writer's own.
        if (!groupKept && made.st_gid != wanted.st_gid)
            mode &= static_cast<mode_t>(~(S_IRWXG | S_ISGID));
        if (::fchmod(descriptor_, mode) == 0)
            return true;
        // A file system that keeps no rights (FAT) refuses the change: enough then that the
        // new file is no more open than the original.
        return ::fstat(descriptor_, &made) == 0 && (made.st_mode & 07777 & ~mode) == 0;
    }

    bool close() override
    {
        if (descriptor_ < 0)
            return true;
        const bool closed = ::close(descriptor_) == 0;
        descriptor_ = -1;
        return closed;
    }

private:
    int descriptor_;
};

int openDescriptor(const std::filesystem::path& file, int flags, mode_t mode = 0666)
{
    int descriptor;
    do
        descriptor = ::open(file.c_str(), flags | O_CLOEXEC, mode);
    while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

// Opens an existing file and keeps it only when what was opened is a regular file: a pipe, a
// device or a link to one put in its place is closed again. -1 on failure.
int openRegularFile(const std::filesystem::path& file, int flags)
{
    const int descriptor = openDescriptor(file, flags);
    if (descriptor < 0)
        return -1;
    struct stat opened {};
    if (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

class SystemReadHandle : public ReadHandle {
public:
    explicit SystemReadHandle(int descriptor) : descriptor_(descriptor) {}
    ~SystemReadHandle() override { ::close(descriptor_); }

    std::ptrdiff_t read(char* into, std::size_t size) override
    {
        for (;;) {
            const ssize_t got = ::read(descriptor_, into, size);
            if (got >= 0)
                return got;
            if (errno != EINTR)
                return -1;
        }
    }

    bool seek(std::uint64_t offset) override
    {
        return ::lseek(descriptor_, static_cast<off_t>(offset), SEEK_SET) == static_cast<off_t>(offset);
    }

    std::optional<std::uint64_t> size() override
    {
        struct stat opened {};
        if (::fstat(descriptor_, &opened) != 0)
            return std::nullopt;
        return static_cast<std::uint64_t>(opened.st_size);
    }

private:
    int descriptor_;
};

class SystemFileLayer : public FileLayer {
public:
    std::unique_ptr<WriteHandle> create(const std::filesystem::path& file) override
    {
        // unlink() takes the name away, never what a link of that name leads to; O_EXCL and
        // O_NOFOLLOW then refuse any file or link that took the name meanwhile.
        if (::unlink(file.c_str()) != 0 && errno != ENOENT)
            return nullptr;
        return createSystemFile(file);
    }

    std::unique_ptr<WriteHandle> openForAppend(const std::filesystem::path& file) override
    {
        // O_NONBLOCK: a pipe without a reader fails at once rather than wait for one.
        const int descriptor = openRegularFile(file, O_WRONLY | O_APPEND | O_NONBLOCK);
        if (descriptor < 0)
            return nullptr;
        return std::make_unique<SystemWriteHandle>(descriptor);
    }

    // An open file is no obstacle to rename() here: it is never held elsewhere.
    ReplaceAttempt replace(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        if (::rename(from.c_str(), to.c_str()) != 0)
            return ReplaceAttempt::Failed;
        // The rename is done; syncing the folder only makes it survive a power cut, so a
        // failure here cannot take it back and is not reported as one.
        std::filesystem::path folder = to.parent_path();
        if (folder.empty())
            folder = ".";
        const int descriptor = openDescriptor(folder, O_RDONLY | O_DIRECTORY);
        if (descriptor >= 0) {
            ::fsync(descriptor);
            ::close(descriptor);
        }
        return ReplaceAttempt::Done;
    }

    bool remove(const std::filesystem::path& file) override { return ::unlink(file.c_str()) == 0; }
};

// flock() belongs to the open file, so the system drops it when the process ends, however
// it ends, and two opens in one process exclude each other as two processes do.
class SystemFileLock : public FileLock {
public:
    SystemFileLock(int descriptor, std::filesystem::path file) : descriptor_(descriptor), file_(std::move(file)) {}
    ~SystemFileLock() override
    {
        // Removed while still held: a writer that opened this file meanwhile finds, once it
        // has the lock, that the name no longer leads to it, and tries again.
        ::unlink(file_.c_str());
        ::close(descriptor_);
    }

private:
    int descriptor_;
    std::filesystem::path file_;
};

bool sameFile(int descriptor, const std::filesystem::path& file)
{
    struct stat held {};
    struct stat named {};
    return ::fstat(descriptor, &held) == 0 && ::stat(file.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

} // namespace

// Opens the lock file as it is, or creates it: never through a link, never waiting on a pipe.
// -1 with errno set on failure; `created` tells whether this call made the file.
int openLockFile(const std::filesystem::path& file, bool& created)
{
    created = false;
    constexpr int kNoWait = O_NOFOLLOW | O_NONBLOCK;
    int descriptor = openDescriptor(file, O_RDWR | O_CREAT | O_EXCL | kNoWait, 0600);
    if (descriptor >= 0) {
        created = true;
        return descriptor;
    }
    if (errno != EEXIST)
        return -1;
    descriptor = openDescriptor(file, O_RDWR | kNoWait);
    // flock() works through a read-only descriptor too: whoever may only read the lock file
    // of another user still takes the lock.
    if (descriptor < 0 && errno == EACCES)
        descriptor = openDescriptor(file, O_RDONLY | kNoWait);
    return descriptor;
}

LockAttempt tryLockFile(const std::filesystem::path& file, std::unique_ptr<FileLock>& lock)
{
    bool created = false;
    const int descriptor = openLockFile(file, created);
    if (descriptor < 0)
        // ELOOP: a link of that name; EISDIR: a folder; ENXIO: a socket.
        return errno == ELOOP || errno == EISDIR || errno == ENXIO ? LockAttempt::NotRegular : LockAttempt::Failed;
    struct stat opened {};
    if (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(descriptor);
        return LockAttempt::NotRegular;
    }
    // Readable by all whatever the umask, so that every user who may write the list may take
    // the lock: the file never holds a byte.
    if (created)
        ::fchmod(descriptor, S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH);
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(descriptor);
        return error == EWOULDBLOCK || error == EINTR ? LockAttempt::HeldElsewhere : LockAttempt::Failed;
    }
    if (!sameFile(descriptor, file)) {
        ::close(descriptor);
        return LockAttempt::HeldElsewhere;
    }
    lock = std::make_unique<SystemFileLock>(descriptor, file);
    return LockAttempt::Taken;
}

std::unique_ptr<WriteHandle> createSystemFile(const std::filesystem::path& file)
{
    const int descriptor = openDescriptor(file, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
    if (descriptor < 0)
        return nullptr;
    return std::make_unique<SystemWriteHandle>(descriptor);
}

std::unique_ptr<ReadHandle> openSystemFileForReading(const std::filesystem::path& file)
{
    // O_NONBLOCK: a pipe put in the file's place since it was looked at fails here rather than
    // wait for a writer.
    const int descriptor = openRegularFile(file, O_RDONLY | O_NONBLOCK);
    if (descriptor < 0)
        return nullptr;
    return std::make_unique<SystemReadHandle>(descriptor);
}

bool userMayWrite(const std::filesystem::path& file)
{
    // The effective user's rights, as the system will judge the writes; the super-user passes.
    return ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) == 0;
}

FileLayer& systemFileLayer()
{
    static SystemFileLayer layer;
    return layer;
}

} // namespace dravelin
