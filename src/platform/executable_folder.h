#pragma once

#include <filesystem>

#include "database/program_folders.h"

namespace dravelin {

// The folder of the running executable as the system names it, byte for byte: a folder whose
// name is not UTF-8 (Latin-1 from an old disk) keeps its real name. Empty when the system
// does not tell.
std::filesystem::path executableFolder();

// The variables that name the user's data folder, as the system gives them.
UserEnvironment userEnvironment();

} // namespace dravelin
