#pragma once

#include <filesystem>
#include <memory>

#include "database/file_layer.h"

namespace dravelin {

// What each system's file (file_layer_posix.cpp, file_layer_win32.cpp) gives the common part.
LockAttempt tryLockFile(const std::filesystem::path& file, std::unique_ptr<FileLock>& lock);
bool userMayWrite(const std::filesystem::path& file);
std::unique_ptr<ReadHandle> openSystemFileForReading(const std::filesystem::path& file);
std::unique_ptr<WriteHandle> createSystemFile(const std::filesystem::path& file);

} // namespace dravelin
