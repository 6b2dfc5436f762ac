#include "database/rewrite.h"

#include <memory>
#include <system_error>

#include "database/directory_file.h"
#include "database/line_reader.h"
#include "database/scratch_file.h"
#include "database/write_lock.h"

namespace dravelin {

namespace {

// Gathers lines into large writes, and remembers the first write that failed.
class ScratchWriter {
public:
    explicit ScratchWriter(WriteHandle& handle) : handle_(handle) { buffer_.reserve(kChunk + 4096); }

    void line(std::string_view text)
    {
        piece(text);
        lineEnd();
    }

    // A line in several pieces: each piece, then its end.
    void piece(std::string_view text)
    {
        buffer_ += text;
        if (buffer_.size() >= kChunk)
            flushBuffer();
    }

    void lineEnd()
    {
        buffer_ += "\r\n";
        if (buffer_.size() >= kChunk)
            flushBuffer();
    }

    bool finish()
    {
        flushBuffer();
        return ok_;
    }

    bool ok() const { return ok_; }

private:
    static constexpr std::size_t kChunk = std::size_t{1} << 20;

    void flushBuffer()
    {
        if (ok_ && !buffer_.empty())
            ok_ = handle_.write(buffer_);
        buffer_.clear();
    }

    WriteHandle& handle_;
    std::string buffer_;
    bool ok_ = true;
};

// A file the user marked read-only is not replaced behind his back, even where the system
// would let a rename do it.
bool markedReadOnly(const std::filesystem::path& file)
{
    std::error_code error;
    const auto permissions = std::filesystem::status(file, error).permissions();
    return !error && (permissions & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
}

// A line longer than the longest line read whole is no entry: it is copied byte for byte, a
// piece at a time, from its first piece to its end.
void copyLongLine(LineReader& reader, LinePiece piece, ScratchWriter& out)
{
    out.piece(piece.bytes);
    while (!piece.endsLine && out.ok() && reader.nextPiece(piece))
        out.piece(piece.bytes);
    out.lineEnd();
}

} // namespace

RewriteResult rewriteDirectoryFile(const std::filesystem::path& programFolder, const RewriteRequest& request,
                                   FileLayer& files)
{
    RewriteResult result;
    // Through a link, the file it leads to is replaced, from beside it: a rename replaces
    // only within one folder, and the link must go on leading to the list.
    const std::filesystem::path directoryFile = resolvedDirectoryFile(programFolder);

    // Held from the first read to the rename: a line appended by another copy meanwhile
    // would be lost with the old file.
    const WriteLock lock = lockForWriting(directoryFile.parent_path(), files);
    if (lock.problem != WriteProblem::None) {
        result.problem = lock.problem;
        return result;
    }

    std::unique_ptr<ReadHandle> input;
    result.problem = writeProblemFor(openForReading(directoryFile, files, input));
    if (result.problem != WriteProblem::None)
        return result;
    if (markedReadOnly(directoryFile)) {
        result.problem = WriteProblem::DirectoryReadOnly;
        return result;
    }
    // The rename would let anyone who may write the folder replace another user's list, and
    // make it his own.
    if (!files.mayWrite(directoryFile)) {
        result.problem = WriteProblem::DirectoryNotWritable;
        return result;
    }

    LineReader reader(*input);
    LinePiece first;
    if (!reader.nextPiece(first)) {
        result.problem = reader.failed() ? WriteProblem::DirectoryNotReadable : WriteProblem::DirectoryEmpty;
        return result;
    }
    // Whatever such a line holds, it is no revision line to replace or compare.
    if (first.longLine && (request.newFirstLine || request.expectedFirstLine)) {
        result.problem = WriteProblem::RevisionLineTooLong;
        return result;
    }
    if (request.expectedFirstLine && first.bytes != *request.expectedFirstLine) {
        result.problem = WriteProblem::FirstLineChanged;
        return result;
    }

    const ScratchFile scratch = createScratchFile(programFolder, directoryFile, files);
    result.scratchName = scratch.shownName;
    const std::filesystem::path& scratchFile = scratch.path;
    WriteHandle* const handle = scratch.handle.get();
    if (!handle) {
        result.problem = WriteProblem::ScratchNotCreated;
        return result;
    }
    const auto abandon = [&](WriteProblem problem) {
        handle->close();
        files.remove(scratchFile);
        result.problem = problem;
        return result;
    };
    // Before any byte is written: a list kept private stays private in its new version.
    if (!handle->takePermissionsOf(directoryFile))
        return abandon(WriteProblem::PermissionsNotKept);

    ScratchWriter out(*handle);
    if (request.newFirstLine)
        out.line(*request.newFirstLine);
    else if (first.longLine)
        copyLongLine(reader, first, out);
    else
        out.line(first.bytes);
    if (request.afterFirstLine)
        request.afterFirstLine();

    LinePiece piece;
    while (out.ok() && reader.nextPiece(piece)) {
        if (piece.longLine) {
            copyLongLine(reader, piece, out);
            continue;
        }
        const std::string_view line = piece.bytes;
        const LineChange change = request.rule ? request.rule(line) : LineChange::keep();
        switch (change.kind) {
        case LineChange::Kind::Keep:
            out.line(line);
            break;
        case LineChange::Kind::Drop:
            ++result.changedLines;
            break;
        case LineChange::Kind::Replace:
            out.line(change.replacement);
            ++result.changedLines;
            break;
        }
    }
    if (reader.failed())
        return abandon(WriteProblem::DirectoryNotReadable);
    if (!out.finish())
        return abandon(WriteProblem::ScratchNotWritten);
    if (result.changedLines == 0 && !request.newFirstLine)
        return abandon(WriteProblem::None);
    if (!handle->flushToDisk())
        return abandon(WriteProblem::ScratchNotWritten);
    if (!handle->close()) {
        files.remove(scratchFile);
        result.problem = WriteProblem::ScratchNotWritten;
        return result;
    }

    // Some systems refuse to rename over a file that is still open: this process's own is
    // closed first, and another copy of the program in the middle of a search is given time
    // to close its own, the scratch file waiting whole meanwhile.
    input.reset();
    for (int attempt = 1;; ++attempt) {
        const ReplaceAttempt replaced = files.replace(scratchFile, directoryFile);
        if (replaced == ReplaceAttempt::Done)
            return result;
        if (replaced == ReplaceAttempt::Failed || attempt == kReplaceAttempts) {
            files.remove(scratchFile);
            result.problem = WriteProblem::DirectoryNotReplaced;
            return result;
        }
        files.waitBeforeRetry();
    }
}

} // namespace dravelin
