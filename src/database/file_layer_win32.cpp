// The file layer on Windows: the Win32 calls behind systemFileLayer() and the lock.
#include "database/file_layer_system.h"

#include <algorithm>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace dravelin {

namespace {

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

class SystemReadHandle : public ReadHandle {
public:
    explicit SystemReadHandle(HANDLE handle) : handle_(handle) {}
    ~SystemReadHandle() override { CloseHandle(handle_); }

    std::ptrdiff_t read(char* into, std::size_t size) override
    {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(handle_, into, chunk, &got, nullptr))
            return -1;
        return static_cast<std::ptrdiff_t>(got);
    }

    bool seek(std::uint64_t offset) override
    {
        LARGE_INTEGER position;
        position.QuadPart = static_cast<LONGLONG>(offset);
        return SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN) != 0;
    }

    std::optional<std::uint64_t> size() override
    {
        LARGE_INTEGER bytes;
        if (!GetFileSizeEx(handle_, &bytes))
            return std::nullopt;
        return static_cast<std::uint64_t>(bytes.QuadPart);
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
        return createSystemFile(file);
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

} // namespace

LockAttempt tryLockFile(const std::filesystem::path& file, std::unique_ptr<FileLock>& lock)
{
    // A link or a folder of that name is never opened: deleting on close would remove it.
    const DWORD found = GetFileAttributesW(file.c_str());
    if (found != INVALID_FILE_ATTRIBUTES && (found & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)))
        return LockAttempt::NotRegular;
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        if (GetFileType(handle) != FILE_TYPE_DISK) {
            CloseHandle(handle);
            return LockAttempt::NotRegular;
        }
        lock = std::make_unique<SystemFileLock>(handle);
        return LockAttempt::Taken;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return LockAttempt::HeldElsewhere;
    // A lock file whose holder has just closed it refuses access until it is gone; a lock file
    // marked read-only, or a protected folder, refuses it for good.
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        !(attributes & FILE_ATTRIBUTE_READONLY))
        return LockAttempt::HeldElsewhere;
    return LockAttempt::Failed;
}

std::unique_ptr<WriteHandle> createSystemFile(const std::filesystem::path& file)
{
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::make_unique<SystemWriteHandle>(handle);
}

std::unique_ptr<ReadHandle> openSystemFileForReading(const std::filesystem::path& file)
{
    // Shared as the C library shares what it opens: another copy may read and append meanwhile.
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<SystemReadHandle>(handle);
}

// The read-only attribute is what refuses a write here.
bool userMayWrite(const std::filesystem::path& file)
{
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_READONLY);
}

FileLayer& systemFileLayer()
{
    static SystemFileLayer layer;
    return layer;
}

} // namespace dravelin
