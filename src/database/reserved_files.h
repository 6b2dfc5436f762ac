#pragma once

#include <filesystem>
#include <optional>

namespace dravelin {

// The files that belong to the directory and that only its own operations may write.
enum class ReservedFile {
    Directory,
    Scratch,       // Temporaire.txt in the program folder
    LinkedScratch, // a scratch name beside the file a linked directory file leads to (scratch_file.h)
    Lock,
};

// Which of the directory's files writing `candidate` would reach: the directory file, its
// scratch file or its lock, in the program folder or beside the file that a linked directory
// file leads to, whatever spelling, symbolic link or hard link leads there. Beside a linked
// file, the scratch files are those of the program's own pattern: a Temporaire.txt there is
// the user's. Nothing when it reaches none of them.
std::optional<ReservedFile> reservedFileAt(const std::filesystem::path& programFolder,
                                           const std::filesystem::path& candidate);

} // namespace dravelin
