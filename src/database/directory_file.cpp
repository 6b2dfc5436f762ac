#include "database/directory_file.h"

#include <system_error>

namespace dravelin {

std::filesystem::path directoryFilePath(const std::filesystem::path& programFolder)
{
    return programFolder / kDirectoryFileName;
}

std::filesystem::path scratchFilePath(const std::filesystem::path& programFolder)
{
    return programFolder / kScratchFileName;
}

std::filesystem::path lockFilePath(const std::filesystem::path& programFolder)
{
    return programFolder / kLockFileName;
}

std::filesystem::path resolvedDirectoryFile(const std::filesystem::path& programFolder)
{
    const std::filesystem::path file = directoryFilePath(programFolder);
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, error)))
        return file;
    // A link that leads nowhere stays as it is: the file is then told missing.
    const std::filesystem::path target = std::filesystem::canonical(file, error);
    return error ? file : target;
}

FileProblem openForReading(const std::filesystem::path& file, FileLayer& files, std::unique_ptr<ReadHandle>& handle)
{
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return FileProblem::Missing;
    if (error || std::filesystem::is_directory(status))
        return FileProblem::NotReadable;
    // Opening a pipe waits for a writer, and a device such as /dev/zero never ends.
    if (!std::filesystem::is_regular_file(status))
        return FileProblem::NotRegular;
    handle = files.openForReading(file);
    return handle ? FileProblem::None : FileProblem::NotReadable;
}

} // namespace dravelin
