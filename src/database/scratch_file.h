#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "database/file_layer.h"

namespace dravelin {

// The scratch file that a rewrite writes before it takes the directory file's place. In the
// program folder it is Temporaire.txt, the program's own. Beside the file that a linked
// directory file leads to, in a folder of the user's, it bears a name no user file bears:
// ".NAME.XXXXXX.tmp", NAME being that file's name and XXXXXX six letters or digits drawn at
// random, so that the user's own Temporaire.txt there is never touched.
struct ScratchFile {
    std::filesystem::path path;
    std::unique_ptr<WriteHandle> handle; // null when it could not be created
    // Its name as a message gives it (UTF-8): Temporaire.txt, or beside a linked file the
    // pattern of its names, ".NAME.XXXXXX.tmp".
    std::string shownName;
};

// Whether `name` (a file name, no folder) is the scratch name of a linked `directoryFile`: the
// exact pattern, nothing looser, so that only what a rewrite made is ever taken for it.
bool isLinkedScratchName(const std::filesystem::path& directoryFile, const std::filesystem::path& name);

// Creates the scratch file for rewriting `directoryFile` (resolvedDirectoryFile) of the
// directory in `programFolder`. Beside a linked file, the leftovers of a rewrite that was
// killed are removed first: the caller holds the write lock, so no other rewrite is under way.
ScratchFile createScratchFile(const std::filesystem::path& programFolder, const std::filesystem::path& directoryFile,
                              FileLayer& files);

} // namespace dravelin
