#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "database/file_layer.h"
#include "database/write_problem.h"

namespace dravelin {

// What the rewrite does with one line after the revision line.
struct LineChange {
    enum class Kind { Keep, Drop, Replace };
    Kind kind = Kind::Keep;
    std::string_view replacement; // the line written instead, for Replace

    static LineChange keep() { return {}; }
    static LineChange drop() { return {Kind::Drop, {}}; }
    static LineChange replaceWith(std::string_view line) { return {Kind::Replace, line}; }
};

struct RewriteRequest {
    // The new first line; without one the revision line is copied.
    std::optional<std::string> newFirstLine;
    // The first line the change was decided on: when the file's first line no longer reads
    // so, nothing is written (FirstLineChanged).
    std::optional<std::string> expectedFirstLine;
    // Decides for every later line; without one every line is kept.
    std::function<LineChange(std::string_view line)> rule;
    // Runs once, right after the first line has been written: the window's pending events.
    std::function<void()> afterFirstLine;
};

struct RewriteResult {
    WriteProblem problem = WriteProblem::None;
    // Lines the rule dropped or replaced. With none and no new first line there is nothing to
    // change, and the directory file is left untouched, byte for byte.
    std::size_t changedLines = 0;
    // The scratch file's name as messages give it (UTF-8): Temporaire.txt, or the pattern of
    // the scratch names beside a linked list's file.
    std::string scratchName;
};

// How many times the finished scratch file tries to take the directory file's place while
// another process has the directory file open: with the file layer's pause between attempts,
// about two seconds, as long as another copy of the program takes to finish a search.
inline constexpr int kReplaceAttempts = 40;

// Rewrites the directory file through a scratch file beside it (scratch_file.h: Temporaire.txt
// in the program folder, a name of the program's own beside the file a link of that name leads
// to). Every kept line is copied byte for byte; only its line end becomes CR LF. A line longer
// than the longest line read whole (buffered_stream.h) is no entry: it is copied piece by piece,
// never held or changed, and as the first line it refuses a new revision line
// (RevisionLineTooLong). A user who may not write the directory file itself changes nothing
// (DirectoryNotWritable), even where the folder would let the rename through. The scratch file
// is a new file of its own, with the directory file's access rights, owner and group; it is
// written whole and flushed to disk, then takes the directory file's place in one atomic
// rename, so a crash at any moment leaves the old file or the new one, whole. On any failure,
// a read error included, the directory file stays as it was and the scratch file is removed.
// The whole rewrite holds the directory's write lock (write_lock.h).
RewriteResult rewriteDirectoryFile(const std::filesystem::path& programFolder, const RewriteRequest& request,
                                   FileLayer& files = systemFileLayer());

} // namespace dravelin
