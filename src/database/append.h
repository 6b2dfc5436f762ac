#pragma once

#include <filesystem>
#include <string_view>

#include "database/file_layer.h"
#include "database/write_problem.h"

namespace dravelin {

// Appends one record line and its CR LF at the end of the directory file, flushed to disk.
// A last line without a line end is ended first, so the new entry never joins it. A missing
// or empty directory file is left as it is: the entry would stand where the revision line
// belongs. A write that fails is cut off again, so the file keeps its former bytes. The
// append holds the directory's write lock (write_lock.h).
WriteProblem appendRecordLine(const std::filesystem::path& programFolder, std::string_view recordLine,
                              FileLayer& files = systemFileLayer());

} // namespace dravelin
