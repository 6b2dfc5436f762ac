#include "database/append.h"

#include <memory>
#include <optional>
#include <string>

#include "database/directory_file.h"
#include "database/write_lock.h"

namespace dravelin {

namespace {

struct FileEnd {
    FileProblem problem = FileProblem::None;
    std::uint64_t size = 0;
    bool endsWithLineEnd = false;
};

FileEnd inspectEnd(const std::filesystem::path& directoryFile, FileLayer& files)
{
    FileEnd end;
    std::unique_ptr<ReadHandle> input;
    end.problem = openForReading(directoryFile, files, input);
    if (end.problem != FileProblem::None)
        return end;
    const std::optional<std::uint64_t> size = input->size();
    if (!size) {
        end.problem = FileProblem::NotReadable;
        return end;
    }
    end.size = *size;
    if (end.size == 0)
        return end;
    char last = 0;
    if (!input->seek(end.size - 1) || input->read(&last, 1) != 1) {
        end.problem = FileProblem::NotReadable;
        return end;
    }
    // A lone CR ends a line for every reader, as CR LF and LF do.
    end.endsWithLineEnd = last == '\n' || last == '\r';
    return end;
}

} // namespace

WriteProblem appendRecordLine(const std::filesystem::path& programFolder, std::string_view recordLine, FileLayer& files)
{
    const std::filesystem::path directoryFile = resolvedDirectoryFile(programFolder);
    // Held from the look at the file's end to the last write, so that no rewrite by another
    // copy of the program puts an older file in place of this one meanwhile.
    const WriteLock lock = lockForWriting(directoryFile.parent_path(), files);
    if (lock.problem != WriteProblem::None)
        return lock.problem;
    const FileEnd end = inspectEnd(directoryFile, files);
    if (end.problem != FileProblem::None)
        return writeProblemFor(end.problem);
    if (end.size == 0)
        return WriteProblem::DirectoryEmpty;
    if (!files.mayWrite(directoryFile))
        return WriteProblem::DirectoryNotWritable;

    std::string bytes;
    if (!end.endsWithLineEnd)
        bytes += "\r\n";
    bytes += recordLine;
    bytes += "\r\n";

    const std::unique_ptr<WriteHandle> handle = files.openForAppend(directoryFile);
    if (!handle)
        return WriteProblem::DirectoryNotOpened;
    if (!handle->write(bytes) || !handle->flushToDisk()) {
        const bool undone = handle->truncate(end.size);
        handle->close();
        return undone ? WriteProblem::DirectoryNotWritten : WriteProblem::AppendNotUndone;
    }
    // The line is on the disk once the flush succeeded; closing cannot lose it any more.
    handle->close();
    return WriteProblem::None;
}

} // namespace dravelin
