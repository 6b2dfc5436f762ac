#include "database/entry_operations.h"

#include <string>

#include "database/entry_key.h"

namespace dravelin {

RewriteResult deleteEntry(const std::filesystem::path& programFolder, std::string_view key,
                          const std::function<void()>& afterFirstLine, FileLayer& files)
{
    RewriteRequest request;
    request.rule = [key](std::string_view line) {
        return lineMatchesKey(line, key) ? LineChange::drop() : LineChange::keep();
    };
    request.afterFirstLine = afterFirstLine;
    return rewriteDirectoryFile(programFolder, request, files);
}

RewriteResult replaceEntry(const std::filesystem::path& programFolder, std::string_view key,
                           std::string_view recordLine, const std::function<void()>& afterFirstLine, FileLayer& files)
{
    RewriteRequest request;
    request.rule = [key, recordLine](std::string_view line) {
        return lineMatchesKey(line, key) ? LineChange::replaceWith(recordLine) : LineChange::keep();
    };
    request.afterFirstLine = afterFirstLine;
    return rewriteDirectoryFile(programFolder, request, files);
}

RewriteResult replaceRevisionLine(const std::filesystem::path& programFolder, std::string_view revisionLine,
                                  FileLayer& files, std::optional<std::string_view> seenRevisionLine)
{
    RewriteRequest request;
    request.newFirstLine = std::string(revisionLine);
    if (seenRevisionLine)
        request.expectedFirstLine = std::string(*seenRevisionLine);
    return rewriteDirectoryFile(programFolder, request, files);
}

} // namespace dravelin
