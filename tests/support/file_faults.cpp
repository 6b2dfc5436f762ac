#include "support/file_faults.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

#ifdef __linux__
#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace dravelin::test {

namespace {

// Passes every call to the real handle, except the step that its layer makes fail.
class FailingWriteHandle : public WriteHandle {
public:
    FailingWriteHandle(FailingFileLayer& layer, std::unique_ptr<WriteHandle> real)
        : layer_(layer), real_(std::move(real))
    {
    }

    bool write(std::string_view bytes) override
    {
        if (layer_.fails(FileStep::Write)) {
            real_->write(bytes.substr(0, bytes.size() / 2));
            return false;
        }
        return real_->write(bytes);
    }
    bool flushToDisk() override { return !layer_.fails(FileStep::Flush) && real_->flushToDisk(); }
    bool truncate(std::uint64_t size) override { return !layer_.fails(FileStep::Truncate) && real_->truncate(size); }
    bool takePermissionsOf(const std::filesystem::path& original) override
    {
        return !layer_.fails(FileStep::Permissions) && real_->takePermissionsOf(original);
    }
    bool close() override
    {
        if (closed_)
            return true;
        closed_ = true;
        const bool realClosed = real_->close();
        return !layer_.fails(FileStep::Close) && realClosed;
    }

private:
    FailingFileLayer& layer_;
    std::unique_ptr<WriteHandle> real_;
    bool closed_ = false;
};

// Reads through the real handle up to the layer's failing offset, then fails every read.
class FailingReadHandle : public ReadHandle {
public:
    FailingReadHandle(FailingFileLayer& layer, std::unique_ptr<ReadHandle> real) : layer_(layer), real_(std::move(real))
    {
    }

    std::ptrdiff_t read(char* into, std::size_t size) override
    {
        const bool faulty = layer_.failing.count(FileStep::Read) != 0;
        if (faulty && position_ + size > layer_.readFailsAt) {
            if (position_ >= layer_.readFailsAt && layer_.fails(FileStep::Read))
                return -1;
            size = static_cast<std::size_t>(layer_.readFailsAt - position_);
        }
        const std::ptrdiff_t got = real_->read(into, size);
        if (got > 0)
            position_ += static_cast<std::uint64_t>(got);
        return got;
    }
    bool seek(std::uint64_t offset) override
    {
        if (!real_->seek(offset))
            return false;
        position_ = offset;
        return true;
    }
    std::optional<std::uint64_t> size() override { return real_->size(); }

private:
    FailingFileLayer& layer_;
    std::unique_ptr<ReadHandle> real_;
    std::uint64_t position_ = 0;
};

#ifdef __linux__
bool setImmutable(const std::filesystem::path& target, bool on)
{
    const int descriptor = ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(descriptor, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(descriptor);
    return done;
}
#endif

} // namespace

std::string stepName(FileStep step)
{
    switch (step) {
    case FileStep::None:
        return "none";
    case FileStep::Create:
        return "create";
    case FileStep::Permissions:
        return "permissions";
    case FileStep::Write:
        return "write";
    case FileStep::Flush:
        return "flush";
    case FileStep::Truncate:
        return "truncate";
    case FileStep::Close:
        return "close";
    case FileStep::OpenForAppend:
        return "open for append";
    case FileStep::Replace:
        return "replace";
    case FileStep::Remove:
        return "remove";
    case FileStep::Lock:
        return "lock";
    case FileStep::OpenForReading:
        return "open for reading";
    case FileStep::Read:
        return "read";
    }
    return "?";
}

FailingFileLayer::FailingFileLayer(FileStep failingStep, bool crashAtStep)
    : failing{failingStep}, crash(crashAtStep), real_(systemFileLayer())
{
}

FailingFileLayer::FailingFileLayer(std::initializer_list<FileStep> failingSteps)
    : failing(failingSteps), real_(systemFileLayer())
{
}

bool FailingFileLayer::fails(FileStep step)
{
    steps.push_back(step);
    if (failing.count(step) == 0)
        return false;
    if (crash)
        throw SimulatedCrash();
    return true;
}

std::unique_ptr<ReadHandle> FailingFileLayer::openForReading(const std::filesystem::path& file)
{
    if (fails(FileStep::OpenForReading))
        return nullptr;
    auto real = real_.openForReading(file);
    return real ? std::make_unique<FailingReadHandle>(*this, std::move(real)) : nullptr;
}

std::unique_ptr<WriteHandle> FailingFileLayer::create(const std::filesystem::path& file)
{
    if (fails(FileStep::Create))
        return nullptr;
    auto real = real_.create(file);
    return real ? std::make_unique<FailingWriteHandle>(*this, std::move(real)) : nullptr;
}

std::unique_ptr<WriteHandle> FailingFileLayer::createNew(const std::filesystem::path& file)
{
    if (fails(FileStep::Create))
        return nullptr;
    auto real = real_.createNew(file);
    return real ? std::make_unique<FailingWriteHandle>(*this, std::move(real)) : nullptr;
}

std::unique_ptr<WriteHandle> FailingFileLayer::openForAppend(const std::filesystem::path& file)
{
    if (fails(FileStep::OpenForAppend))
        return nullptr;
    auto real = real_.openForAppend(file);
    return real ? std::make_unique<FailingWriteHandle>(*this, std::move(real)) : nullptr;
}

ReplaceAttempt FailingFileLayer::replace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return fails(FileStep::Replace) ? ReplaceAttempt::Failed : real_.replace(from, to);
}

bool FailingFileLayer::remove(const std::filesystem::path& file)
{
    return !fails(FileStep::Remove) && real_.remove(file);
}

LockAttempt FailingFileLayer::tryLock(const std::filesystem::path& file, std::unique_ptr<FileLock>& lock)
{
    return fails(FileStep::Lock) ? LockAttempt::Failed : real_.tryLock(file, lock);
}

void FailingFileLayer::waitBeforeRetry()
{
    ++waits;
    if (onWait)
        onWait();
}

TemporaryFolder::TemporaryFolder()
{
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    std::ostringstream name;
    name << "dravelin-test-" << random() << '-' << counter++;
    path_ = std::filesystem::temp_directory_path() / name.str();
    std::filesystem::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

ReadOnlyGuard::ReadOnlyGuard(std::filesystem::path target, bool immutableWherePossible)
    : target_(std::move(target)), permissions_(std::filesystem::status(target_).permissions())
{
    using std::filesystem::perms;
    std::filesystem::permissions(target_,
                                 permissions_ & ~(perms::owner_write | perms::group_write | perms::others_write));
#ifdef __linux__
    immutable_ = immutableWherePossible && setImmutable(target_, true);
#else
    (void)immutableWherePossible;
#endif
}

ReadOnlyGuard::~ReadOnlyGuard()
{
#ifdef __linux__
    if (immutable_)
        setImmutable(target_, false);
#endif
    std::error_code ignored;
    std::filesystem::permissions(target_, permissions_, ignored);
}

bool ReadOnlyGuard::effective() const
{
    if (std::filesystem::is_directory(target_)) {
        const std::filesystem::path probe = target_ / "write-probe";
        const bool created = std::ofstream(probe).is_open();
        std::error_code ignored;
        std::filesystem::remove(probe, ignored);
        return !created;
    }
    return !std::ofstream(target_, std::ios::app | std::ios::binary).is_open();
}

SmallFileSystem::SmallFileSystem(std::size_t bytes)
{
#ifdef __linux__
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    mounted_ = ::mount("tmpfs", mountPoint_.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
#else
    (void)bytes;
#endif
}

SmallFileSystem::~SmallFileSystem()
{
#ifdef __linux__
    if (mounted_)
        ::umount2(mountPoint_.path().c_str(), MNT_DETACH);
#endif
}

std::size_t SmallFileSystem::blockSize() const
{
#ifdef __linux__
    struct statvfs info {};
    if (::statvfs(mountPoint_.path().c_str(), &info) == 0)
        return info.f_bsize;
#endif
    return 4096;
}

bool SmallFileSystem::fill()
{
#ifdef __linux__
    const int descriptor = ::open((path() / "filler").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return false;
    // One block at a time, so that the last write that goes through leaves no block free.
    const std::string block(blockSize(), 'x');
    ssize_t written;
    do
        written = ::write(descriptor, block.data(), block.size());
    while (written > 0 || (written < 0 && errno == EINTR));
    const bool full = errno == ENOSPC;
    ::close(descriptor);
    return full;
#else
    return false;
#endif
}

void SmallFileSystem::makeRoom()
{
    std::error_code ignored;
    std::filesystem::remove(path() / "filler", ignored);
}

bool SmallFileSystem::setReadOnly(bool readOnly)
{
#ifdef __linux__
    const unsigned long flags = MS_REMOUNT | MS_NOSUID | MS_NODEV | (readOnly ? MS_RDONLY : 0);
    return mounted_ && ::mount("tmpfs", mountPoint_.path().c_str(), "tmpfs", flags, nullptr) == 0;
#else
    (void)readOnly;
    return false;
#endif
}

std::string readBytes(const std::filesystem::path& file)
{
    // One read of the whole size: a character at a time is slow on files of many megabytes.
    std::ifstream stream(file, std::ios::binary | std::ios::ate);
    if (!stream)
        return {};
    std::string bytes(static_cast<std::size_t>(stream.tellg()), '\0');
    stream.seekg(0);
    stream.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(stream.gcount()));
    return bytes;
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream << bytes;
}

} // namespace dravelin::test
