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

FileProblem openForReading(const std::filesystem::path& file, std::ifstream& stream)
{
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return FileProblem::Missing;
    if (error || std::filesystem::is_directory(status))
        return FileProblem::NotReadable;
    stream.open(file, std::ios::in | std::ios::binary);
    return stream.is_open() ? FileProblem::None : FileProblem::NotReadable;
}

} // namespace dravelin
