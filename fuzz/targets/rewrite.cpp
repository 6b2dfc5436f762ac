// The rewrites of the editing window (delete, modifying save, revision bump) over arbitrary
// directory contents, with a key drawn from the contents so that most rewrites change lines.
// Every line the operation does not mean to change must come out byte for byte, ended by
// CR LF; a failed or empty rewrite leaves the file exactly as it was; nothing is left behind.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "common/fuzz_check.h"
#include "common/fuzz_input.h"
#include "common/reference_directory.h"
#include "database/directory_file.h"
#include "database/entry_operations.h"
#include "database/revision_line.h"

namespace dravelin::fuzz {
namespace {

// One program folder for the whole run, in memory where the system offers it.
class ScratchFolder {
public:
    ScratchFolder()
    {
        const std::filesystem::path shm("/dev/shm");
        const std::filesystem::path base =
            std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path = base / ("dravelin_fuzz_rewrite_" + std::to_string(stamp));
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

std::string readAll(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
}

// The text before the first ";", as the key is compared with; nothing for a line without one.
std::optional<std::string_view> plainFirstField(std::string_view line)
{
    const std::size_t separator = line.find(';');
    if (separator == std::string_view::npos)
        return std::nullopt;
    return line.substr(0, separator);
}

enum class Operation { Delete, Replace, Bump };

} // namespace
} // namespace dravelin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace dravelin;
    using namespace dravelin::fuzz;
    static ScratchFolder folder;

    FuzzInput input(data, size);
    const auto operation = static_cast<Operation>(input.takeByte() % 3);
    const std::uint8_t keyChoice = input.takeByte();
    const std::string replacement(input.takeBytes(input.takeByte() % 64));
    const std::string original(input.rest());
    const std::vector<std::string_view> lines = referenceLines(original);

    // The key: the first field of one of the records, or for a file without any, an empty key.
    std::string key;
    if (lines.size() > 1)
        key = std::string(plainFirstField(lines[1 + keyChoice % (lines.size() - 1)]).value_or(""));

    const std::filesystem::path directory = directoryFilePath(folder.path);
    std::ofstream(directory, std::ios::binary | std::ios::trunc) << original;

    std::optional<std::string> newRevision;
    RewriteResult result;
    switch (operation) {
    case Operation::Delete:
        result = deleteEntry(folder.path, key);
        break;
    case Operation::Replace:
        // A record line never holds a line end: the editing window refuses one at Enter.
        if (replacement.find_first_of("\r\n") != std::string::npos)
            return 0;
        result = replaceEntry(folder.path, key, replacement);
        break;
    case Operation::Bump:
        newRevision = raisedRevisionLine(lines.empty() ? std::string_view() : lines[0], "07/12/2026");
        if (!newRevision)
            return 0; // revision 999: the window refuses to raise it
        result = replaceRevisionLine(folder.path, *newRevision);
        break;
    }

    const std::string after = readAll(directory);
    FUZZ_CHECK(!std::filesystem::exists(scratchFilePath(folder.path)));
    if (result.problem != WriteProblem::None) {
        FUZZ_CHECK_DETAIL(lines.empty(), original); // only an empty file has nothing to keep
        FUZZ_CHECK(after == original);
        return 0;
    }

    std::string expected;
    std::size_t changed = 0;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::string_view line = lines[index];
        if (index == 0) {
            expected += newRevision ? std::string_view(*newRevision) : line;
        } else if (operation != Operation::Bump && plainFirstField(line) == std::optional<std::string_view>(key)) {
            ++changed;
            if (operation == Operation::Delete)
                continue;
            expected += replacement;
        } else {
            expected += line;
        }
        expected += "\r\n";
    }
    FUZZ_CHECK(result.changedLines == changed);
    if (changed == 0 && !newRevision)
        FUZZ_CHECK_DETAIL(after == original, after); // nothing to change: not even the line ends
    else
        FUZZ_CHECK_DETAIL(after == expected, after);
    return 0;
}
