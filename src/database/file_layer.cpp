#include "database/file_layer.h"

#include <chrono>
#include <thread>

#include "database/file_layer_system.h"

namespace dravelin {

std::unique_ptr<ReadHandle> FileLayer::openForReading(const std::filesystem::path& file)
{
    return openSystemFileForReading(file);
}

std::unique_ptr<WriteHandle> FileLayer::createNew(const std::filesystem::path& file)
{
    return createSystemFile(file);
}

LockAttempt FileLayer::tryLock(const std::filesystem::path& file, std::unique_ptr<FileLock>& lock)
{
    return tryLockFile(file, lock);
}

bool FileLayer::mayWrite(const std::filesystem::path& file)
{
    return userMayWrite(file);
}

void FileLayer::waitBeforeRetry()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

} // namespace dravelin
