#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "database/file_layer.h"
#include "database/rewrite.h"

namespace dravelin {

// The rewrites the editing window makes. Each keeps the revision line, whatever it holds,
// and changes only the record lines whose first field equals the key (entry_key.h).

// Drops every line of the key.
RewriteResult deleteEntry(const std::filesystem::path& programFolder, std::string_view key,
                          const std::function<void()>& afterFirstLine = {}, FileLayer& files = systemFileLayer());

// Writes the new record line in place of every line of the key.
RewriteResult replaceEntry(const std::filesystem::path& programFolder, std::string_view key,
                           std::string_view recordLine, const std::function<void()>& afterFirstLine = {},
                           FileLayer& files = systemFileLayer());

// Writes a new revision line and copies every other line. With `seenRevisionLine`, only if
// the file's revision line still reads so: another copy of the program may have raised it
// since it was read for the question to the user.
RewriteResult replaceRevisionLine(const std::filesystem::path& programFolder, std::string_view revisionLine,
                                  FileLayer& files = systemFileLayer(),
                                  std::optional<std::string_view> seenRevisionLine = std::nullopt);

} // namespace dravelin
