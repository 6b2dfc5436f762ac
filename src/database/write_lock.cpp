#include "database/write_lock.h"

#include "database/directory_file.h"

namespace dravelin {

WriteLock lockForWriting(const std::filesystem::path& directoryFolder, FileLayer& files)
{
    WriteLock result;
    const std::filesystem::path file = lockFilePath(directoryFolder);
    for (int attempt = 1;; ++attempt) {
        switch (files.tryLock(file, result.lock)) {
        case LockAttempt::Taken:
            return result;
        case LockAttempt::Failed:
            result.problem = WriteProblem::LockNotCreated;
            return result;
        case LockAttempt::NotRegular:
            result.problem = WriteProblem::LockNotRegular;
            return result;
        case LockAttempt::HeldElsewhere:
            break;
        }
        if (attempt == kLockAttempts) {
            result.problem = WriteProblem::DirectoryBusy;
            return result;
        }
        files.waitBeforeRetry();
    }
}

} // namespace dravelin
