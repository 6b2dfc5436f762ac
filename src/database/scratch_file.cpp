#include "database/scratch_file.h"

#include <random>
#include <string>
#include <system_error>

#include "database/directory_file.h"

namespace dravelin {

namespace {

constexpr std::string_view kLinkedScratchEnd = ".tmp";
constexpr std::size_t kRandomLength = 6;
constexpr std::string_view kRandomCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// Names drawn before giving up: a clash is already rare for the first.
constexpr int kNameAttempts = 20;

std::string linkedScratchStart(const std::filesystem::path& directoryFile)
{
    return "." + directoryFile.filename().u8string() + ".";
}

std::string randomPart()
{
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kRandomCharacters.size() - 1);
    std::string part;
    for (std::size_t i = 0; i < kRandomLength; ++i)
        part += kRandomCharacters[pick(generator)];
    return part;
}

bool isLinked(const std::filesystem::path& programFolder, const std::filesystem::path& directoryFile)
{
    return directoryFile != directoryFilePath(programFolder);
}

void removeLeftovers(const std::filesystem::path& directoryFile, FileLayer& files)
{
    std::error_code error;
    for (std::filesystem::directory_iterator entry(directoryFile.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        // A folder of that name is no leftover of ours; a link is removed, never what it leads to.
        if (isLinkedScratchName(directoryFile, entry->path().filename()) && !entry->is_directory(error))
            files.remove(entry->path());
    }
}

} // namespace

bool isLinkedScratchName(const std::filesystem::path& directoryFile, const std::filesystem::path& name)
{
    const std::string text = name.u8string();
    const std::string start = linkedScratchStart(directoryFile);
    if (text.size() != start.size() + kRandomLength + kLinkedScratchEnd.size())
        return false;
    if (text.compare(0, start.size(), start) != 0 ||
        text.compare(text.size() - kLinkedScratchEnd.size(), kLinkedScratchEnd.size(), kLinkedScratchEnd) != 0)
        return false;
    for (std::size_t i = start.size(); i < start.size() + kRandomLength; ++i)
        if (kRandomCharacters.find(text[i]) == std::string_view::npos)
            return false;
    return true;
}

ScratchFile createScratchFile(const std::filesystem::path& programFolder, const std::filesystem::path& directoryFile,
                              FileLayer& files)
{
    ScratchFile scratch;
    if (!isLinked(programFolder, directoryFile)) {
        scratch.path = scratchFilePath(programFolder);
        scratch.shownName = kScratchFileName;
        scratch.handle = files.create(scratch.path);
        return scratch;
    }
    scratch.shownName =
        linkedScratchStart(directoryFile) + std::string(kRandomLength, 'X') + std::string(kLinkedScratchEnd);
    removeLeftovers(directoryFile, files);
    const std::filesystem::path folder = directoryFile.parent_path();
    for (int attempt = 0; attempt < kNameAttempts && !scratch.handle; ++attempt) {
        scratch.path = folder / std::filesystem::u8path(linkedScratchStart(directoryFile) + randomPart() +
                                                        std::string(kLinkedScratchEnd));
        scratch.handle = files.createNew(scratch.path);
        // Another name is drawn only when this one was taken, not when the folder refuses.
        std::error_code error;
        if (!scratch.handle && !std::filesystem::exists(std::filesystem::symlink_status(scratch.path, error)))
            break;
    }
    return scratch;
}

} // namespace dravelin
