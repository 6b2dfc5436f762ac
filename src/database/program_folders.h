#pragma once

#include <filesystem>

namespace dravelin {

// What the environment says about the user's own data folder.
struct UserEnvironment {
    bool windows = false;
    std::filesystem::path appData;     // %APPDATA% (Windows)
    std::filesystem::path xdgDataHome; // $XDG_DATA_HOME
    std::filesystem::path home;        // $HOME
};

// The user's own folder for the program's data: on Windows %APPDATA%\Dravelin; elsewhere
// $XDG_DATA_HOME/Dravelin, or ~/.local/share/Dravelin when XDG_DATA_HOME is unset or not an
// absolute path. Empty when the environment names no such folder.
std::filesystem::path userDataFolder(const UserEnvironment& environment);

// Where the program keeps its list and finds its manual.
struct ProgramFolders {
    // The directory file, and beside it the scratch file and the lock.
    std::filesystem::path listFolder;
    // The user manual, Dravelin.hlp.
    std::filesystem::path manualFolder;
    // Copied into listFolder when no directory file is there yet; empty: nothing to copy.
    std::filesystem::path sampleFile;
};

// The folder of the executable when a directory file is there (the build folder, a portable
// folder); else the user's own folder, given the shipped sample at the first start, with the
// manual and the sample read from the shared data folder of a system-wide install
// (/usr/bin/dravelin reads /usr/share/dravelin). Without a user folder, the executable's.
ProgramFolders chooseProgramFolders(const std::filesystem::path& executableFolder, bool directoryFileBesideExecutable,
                                    const std::filesystem::path& userFolder);

// chooseProgramFolders, with the executable's folder looked at for a directory file (or a
// link of that name, even a broken one: the list is meant to be there).
ProgramFolders findProgramFolders(const std::filesystem::path& executableFolder,
                                  const std::filesystem::path& userFolder);

// Copies the sample into the list folder, making the folder, when there is a sample to copy
// and no directory file is there yet: a user's list is never replaced. False when the copy
// was due and failed (the start-up then reports the missing list in that folder).
bool placeSample(const ProgramFolders& folders);

} // namespace dravelin
