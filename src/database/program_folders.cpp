#include "database/program_folders.h"

#include <system_error>

#include "database/directory_file.h"

namespace dravelin {

namespace fs = std::filesystem;

namespace {

const char* const kProgramName = "Dravelin";

// Exists, or is a link of that name whatever it leads to.
bool somethingAt(const fs::path& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

} // namespace

fs::path userDataFolder(const UserEnvironment& environment)
{
    if (environment.windows)
        return environment.appData.empty() ? fs::path() : environment.appData / kProgramName;
    // XDG asks for an absolute path: anything else is ignored.
    if (environment.xdgDataHome.has_root_directory())
        return environment.xdgDataHome / kProgramName;
    if (environment.home.empty())
        return {};
    return environment.home / ".local" / "share" / kProgramName;
}

ProgramFolders chooseProgramFolders(const fs::path& executableFolder, bool directoryFileBesideExecutable,
                                    const fs::path& userFolder)
{
    if (directoryFileBesideExecutable || userFolder.empty())
        return {executableFolder, executableFolder, {}};
    const fs::path sharedData = executableFolder.parent_path() / "share" / "dravelin";
    return {userFolder, sharedData, sharedData / kDirectoryFileName};
}

ProgramFolders findProgramFolders(const fs::path& executableFolder, const fs::path& userFolder)
{
    return chooseProgramFolders(executableFolder, somethingAt(directoryFilePath(executableFolder)), userFolder);
}

bool placeSample(const ProgramFolders& folders)
{
    const fs::path list = directoryFilePath(folders.listFolder);
    if (folders.sampleFile.empty() || somethingAt(list))
        return true;
    std::error_code error;
    fs::create_directories(folders.listFolder, error);
    if (error)
        return false;
    // Copied under another name and renamed into place, so that a copy cut short never
    // passes for the list.
    const fs::path partial = folders.listFolder / (std::string(kDirectoryFileName) + ".partial");
    fs::copy_file(folders.sampleFile, partial, fs::copy_options::overwrite_existing, error);
    if (!error)
        fs::rename(partial, list, error);
    if (error)
        fs::remove(partial, error);
    return somethingAt(list);
}

} // namespace dravelin
