#include "database/line_reader.h"

#include <cstring>

namespace dravelin {

LineReader::LineReader(ReadHandle& input, std::size_t chunkSize, std::size_t longestLine)
    : BufferedStream(input, chunkSize, longestLine)
{
}

LineReader::LineReader(std::istream& input, std::size_t chunkSize, std::size_t longestLine)
    : BufferedStream(input, chunkSize, longestLine)
{
}

bool LineReader::nextPiece(LinePiece& piece)
{
    for (;;) {
        const char* base = buffer_.data();
        const char* from = base + begin_;
        const std::size_t available = end_ - begin_;
        const char* lf = static_cast<const char*>(std::memchr(from, '\n', available));
        const std::size_t crLimit = lf ? static_cast<std::size_t>(lf - from) : available;
        const char* cr = static_cast<const char*>(std::memchr(from, '\r', crLimit));
        const char* lineEnd = cr ? cr : lf;

        if (cr && static_cast<std::size_t>(cr - base) + 1 == end_ && !atEnd_) {
            // A CR at the end of the chunk may be the first half of CR LF.
            readMore();
            continue;
        }
        if (lineEnd) {
            const std::size_t length = static_cast<std::size_t>(lineEnd - from);
            piece.bytes = std::string_view(from, length);
            piece.endsLine = true;
            piece.longLine = inLongLine_ || length > longestLine_;
            inLongLine_ = false;
            begin_ = static_cast<std::size_t>(lineEnd - base) + 1;
            if (cr && begin_ < end_ && buffer_[begin_] == '\n')
                ++begin_;
            return true;
        }
        if (atEnd_) {
            if (available == 0 && !inLongLine_)
                return false;
            piece.bytes = std::string_view(from, available);
            piece.endsLine = true;
            piece.longLine = inLongLine_ || available > longestLine_;
            inLongLine_ = false;
            begin_ = end_;
            return true;
        }
        if (holdsMoreThanALine()) {
            // No line end within the longest line: this one is given in pieces, never held.
            piece.bytes = std::string_view(from, available);
            piece.endsLine = false;
            piece.longLine = true;
            inLongLine_ = true;
            begin_ = end_;
            return true;
        }
        readMore();
    }
}

bool LineReader::next(std::string_view& line)
{
    LinePiece piece;
    if (!nextPiece(piece))
        return false;
    lastWasLong_ = piece.longLine;
    if (!piece.longLine) {
        line = piece.bytes;
        return true;
    }
    while (!piece.endsLine && nextPiece(piece)) {
    }
    line = {};
    return true;
}

} // namespace dravelin
