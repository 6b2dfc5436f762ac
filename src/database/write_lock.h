#pragma once

#include <filesystem>
#include <memory>

#include "database/file_layer.h"
#include "database/write_problem.h"

namespace dravelin {

// How many times a writer tries the lock: with the system's pause between attempts, it waits
// about two and a half seconds for another copy of the program to finish its change.
inline constexpr int kLockAttempts = 50;

struct WriteLock {
    WriteProblem problem = WriteProblem::None;
    std::unique_ptr<FileLock> lock; // held for as long as this lives
};

// Takes the lock that every change of the directory file holds from its first read to its
// last write, so that two copies of the program never interleave an append and a rewrite.
// The lock file lies beside the directory file itself (resolvedDirectoryFile), in
// `directoryFolder`: every copy that reaches the list, through a link or not, takes the same
// lock. DirectoryBusy when another holder keeps it through every attempt.
WriteLock lockForWriting(const std::filesystem::path& directoryFolder, FileLayer& files);

} // namespace dravelin
