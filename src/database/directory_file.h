#pragma once

#include <filesystem>
#include <memory>

#include "database/file_layer.h"

namespace dravelin {

inline constexpr const char* kDirectoryFileName = "Annuaire_Amat.csv";
inline constexpr const char* kScratchFileName = "Temporaire.txt";
// Beside the directory while one copy of the program changes it, so that no other copy does.
inline constexpr const char* kLockFileName = "Annuaire_Amat.lock";

// Why an operation on the directory file could not go on.
enum class FileProblem {
    None,
    Missing,     // no file of that name in the program folder
    NotReadable, // present, but a folder, or no permission, or a read error
    NotRegular,  // a pipe, a device or a socket, or a link to one: never opened, so never waited on
};

std::filesystem::path directoryFilePath(const std::filesystem::path& programFolder);
std::filesystem::path scratchFilePath(const std::filesystem::path& programFolder);
std::filesystem::path lockFilePath(const std::filesystem::path& programFolder);

// The directory file that changes are made to: where Annuaire_Amat.csv is a symbolic link (a
// list kept in a synced or shared folder), the file it leads to, so that a rewrite replaces
// that file and leaves the link a link. The scratch file and the lock go beside it.
std::filesystem::path resolvedDirectoryFile(const std::filesystem::path& programFolder);

// Opens the file for reading through the file layer; on failure tells why. Its type is looked
// at first, so that a pipe or a device of that name is refused rather than read.
FileProblem openForReading(const std::filesystem::path& file, FileLayer& files, std::unique_ptr<ReadHandle>& handle);

} // namespace dravelin
