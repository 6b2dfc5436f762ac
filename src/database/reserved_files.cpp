#include "database/reserved_files.h"

#include <array>
#include <system_error>
#include <utility>

#include "database/directory_file.h"
#include "database/scratch_file.h"

namespace dravelin {

namespace fs = std::filesystem;

namespace {

// The systems stop following a chain of links after about forty.
constexpr int kLinkHops = 40;

// Where writing `file` lands: every link on the way followed, the one at the end too even when
// what it leads to does not exist yet (writing through it would create that file), then made
// absolute and free of "." and "..".
fs::path landingPlace(const fs::path& file)
{
    std::error_code error;
    fs::path place = fs::absolute(file, error);
    if (error)
        place = file;
    for (int hop = 0; hop < kLinkHops; ++hop) {
        const fs::path resolved = fs::weakly_canonical(place, error);
        if (error)
            return place.lexically_normal();
        if (!fs::is_symlink(fs::symlink_status(resolved, error)))
            return resolved;
        const fs::path target = fs::read_symlink(resolved, error);
        if (error)
            return resolved;
        place = target.is_absolute() ? target : resolved.parent_path() / target;
    }
    return place.lexically_normal();
}

// Capitals and small letters name one file on Windows and macOS: a name that differs from a
// reserved one only by them is the reserved one there.
bool sameNameAnyCase(const fs::path& first, const fs::path& second)
{
    const auto& a = first.native();
    const auto& b = second.native();
    if (a.size() != b.size())
        return false;
    const auto lower = [](auto unit) { return unit >= 'A' && unit <= 'Z' ? unit - 'A' + 'a' : unit; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

bool sameFolder(const fs::path& first, const fs::path& second)
{
    std::error_code error;
    return first == second || fs::equivalent(first, second, error);
}

// Both are landing places. An existing file is recognised by identity, so that a hard link
// or another spelling of it is caught; a file not yet there by its folder and name.
bool samePlace(const fs::path& candidate, const fs::path& reserved)
{
    std::error_code error;
    const bool candidateExists = fs::exists(candidate, error);
    const bool reservedExists = fs::exists(reserved, error);
    if (candidateExists && reservedExists)
        return fs::equivalent(candidate, reserved, error);
    if (candidateExists || reservedExists)
        return false;
    return sameNameAnyCase(candidate.filename(), reserved.filename()) &&
           sameFolder(candidate.parent_path(), reserved.parent_path());
}

} // namespace

std::optional<ReservedFile> reservedFileAt(const fs::path& programFolder, const fs::path& candidate)
{
    const fs::path target = landingPlace(candidate);
    // A linked directory file is rewritten where it leads, with its scratch file and lock beside it there.
    const fs::path directory = landingPlace(directoryFilePath(programFolder));
    const std::array<std::pair<fs::path, ReservedFile>, 4> reserved = {{
        {directory, ReservedFile::Directory},
        {landingPlace(scratchFilePath(programFolder)), ReservedFile::Scratch},
        {landingPlace(lockFilePath(programFolder)), ReservedFile::Lock},
        {landingPlace(lockFilePath(directory.parent_path())), ReservedFile::Lock},
    }};
    for (const auto& [place, kind] : reserved)
        if (samePlace(target, place))
            return kind;
    // Any name of the pattern, there or not: a file of that name is taken for a leftover.
    if (isLinkedScratchName(directory, target.filename()) && sameFolder(target.parent_path(), directory.parent_path()))
        return ReservedFile::LinkedScratch;
    return std::nullopt;
}

} // namespace dravelin
