#include "database/file_layer.h"

#include <chrono>
#include <thread>
#include <utility>

#ifdef _WIN32
#include <algorithm>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dravelin {

namespace {

#ifdef _WIN32

class SystemWriteHandle : public WriteHandle {
public:
    explicit SystemWriteHandle(HANDLE handle) : handle_(handle) {}
    ~SystemWriteHandle() override { close(); }

    bool write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr) || written == 0)
                return false;
            bytes.remove_prefix(written);
        }
        return true;
    }

    bool flushToDisk() override { return FlushFileBuffers(handle_) != 0; }

    bool truncate(std::uint64_t size) override
    {
        LARGE_INTEGER position;
        position.QuadPart = static_cast<LONGLONG>(size);
        return SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN) && SetEndOfFile(handle_) &&
               FlushFileBuffers(handle_);
    }

    // Here a new file takes the rights its folder hands down, as the file it replaces did when
    // it was made; the read-only mark, the one right the directory code looks at, is refused
    // before any rewrite.
    bool takePermissionsOf(const std::filesystem::path&) override { return true; }

    bool close() override
    {
        if (handle_ == INVALID_HANDLE_VALUE)
            return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// Removes what bears the scratch file's name. A read-only mark does not keep a name in its
// folder elsewhere, and this file is the program's own: a leftover marked read-only (copied
// from a CD, or by a backup tool) loses the mark and goes. Not a folder or a link, nor a file
// with other names, whose mark belongs to the user's other file.
bool removeScratchLeftover(const std::filesystem::path& file)
{
    if (DeleteFileW(file.c_str()))
        return true;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND)
        return true;
    if (error != ERROR_ACCESS_DENIED)
        return false;
    const HANDLE handle =
        CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(handle, &information) != 0;
    CloseHandle(handle);
    const DWORD attributes = information.dwFileAttributes;
    if (!known || information.nNumberOfLinks != 1 || !(attributes & FILE_ATTRIBUTE_READONLY) ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return false;
    if (!SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL))
        return false;
    if (DeleteFileW(file.c_str()))
        return true;
    // Still there (open elsewhere): left as it was found.
    SetFileAttributesW(file.c_str(), attributes);
    return false;
}

class SystemFileLayer : public FileLayer {
public:
    std::unique_ptr<WriteHandle> create(const std::filesystem::path& file) override
    {
        // Deleting a link deletes the link, not its target; CREATE_NEW then refuses any file,
        // link or folder that took the name meanwhile.
        if (!removeScratchLeftover(file))
            return nullptr;
        const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return nullptr;
        return std::make_unique<SystemWriteHandle>(handle);
    }

    std::unique_ptr<WriteHandle> openForAppend(const std::filesystem::path& file) override
    {
        // GENERIC_WRITE rather than FILE_APPEND_DATA, so that a failed append can be cut off.
        const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return nullptr;
        // A pipe, a console or a printer port of that name is no directory file.
        if (GetFileType(handle) != FILE_TYPE_DISK) {
            CloseHandle(handle);
            return nullptr;
        }
        LARGE_INTEGER zero;
        zero.QuadPart = 0;
        if (!SetFilePointerEx(handle, zero, nullptr, FILE_END)) {
            CloseHandle(handle);
            return nullptr;
        }
        return std::make_unique<SystemWriteHandle>(handle);
    }

    ReplaceAttempt replace(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return ReplaceAttempt::Done;
        // A file open in another process (a search of another copy, an antivirus, a backup)
        // cannot be replaced until it is closed; a file marked read-only never can.
        const DWORD error = GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
            return ReplaceAttempt::HeldElsewhere;
        const DWORD attributes = GetFileAttributesW(to.c_str());
        if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
            !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
            return ReplaceAttempt::HeldElsewhere;
        return ReplaceAttempt::Failed;
    }

    bool remove(const std::filesystem::path& file) override { return DeleteFileW(file.c_str()) != 0; }
};

// Open without sharing: nobody else can open the file while the handle lives, and the system
// closes it, deleting the file, when the process ends.
class SystemFileLock : public FileLock {
public:
    explicit SystemFileLock(HANDLE handle) : handle_(handle) {}
    ~SystemFileLock() override { CloseHandle(handle_); }

private:
    HANDLE handle_;
};

LockAttempt tryLockFile(const std::filesystem::path& file, std::unique_ptr<FileLock>& lock)
{
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        lock = std::make_unique<SystemFileLock>(handle);
        return LockAttempt::Taken;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return LockAttempt::HeldElsewhere;
    // A lock file whose holder has just closed it refuses access until it is gone; a lock file
    // marked read-only, or a protected folder, refuses it for good.
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_READONLY))
        return LockAttempt::HeldElsewhere;
    return LockAttempt::Failed;
}

#else

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

class SystemFileLayer : public FileLayer {
public:
    std::unique_ptr<WriteHandle> create(const std::filesystem::path& file) override
    {
        // unlink() takes the name away, never what a link of that name leads to; O_EXCL and
        // O_NOFOLLOW then refuse any file or link that took the name meanwhile.
        if (::unlink(file.c_str()) != 0 && errno != ENOENT)
            return nullptr;
        const int descriptor = openDescriptor(file, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
        if (descriptor < 0)
            return nullptr;
        return std::make_unique<SystemWriteHandle>(descriptor);
    }

    std::unique_ptr<WriteHandle> openForAppend(const std::filesystem::path& file) override
    {
        // O_NONBLOCK: a pipe without a reader fails at once rather than wait for one.
        const int descriptor = openDescriptor(file, O_WRONLY | O_APPEND | O_NONBLOCK);
        if (descriptor < 0)
            return nullptr;
        struct stat opened {};
        if (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(descriptor);
            return nullptr;
        }
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

LockAttempt tryLockFile(const std::filesystem::path& file, std::unique_ptr<FileLock>& lock)
{
    // Read access is enough for flock(), so a lock file left by another user still serves.
    const int descriptor = openDescriptor(file, O_RDONLY | O_CREAT);
    if (descriptor < 0)
        return LockAttempt::Failed;
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

#endif

} // namespace

LockAttempt FileLayer::tryLock(const std::filesystem::path& file, std::unique_ptr<FileLock>& lock)
{
    return tryLockFile(file, lock);
}

void FileLayer::waitBeforeRetry()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

FileLayer& systemFileLayer()
{
    static SystemFileLayer layer;
    return layer;
}

} // namespace dravelin
