#include "database/block_reader.h"

#include <cstring>

namespace dravelin {

BlockReader::BlockReader(ReadHandle& input, std::size_t blockSize, std::size_t longestLine)
    : BufferedStream(input, blockSize, longestLine)
{
}

BlockReader::BlockReader(std::istream& input, std::size_t blockSize, std::size_t longestLine)
    : BufferedStream(input, blockSize, longestLine)
{
}

bool BlockReader::dropThroughLineEnd()
{
    for (;;) {
        const char* from = buffer_.data() + begin_;
        const char* to = buffer_.data() + end_;
        const char* at = findLineEnd(from, to, vectorLoopsBuiltIn() ? ScanLoops::Vector : ScanLoops::Bytewise);
        if (at != to) {
            begin_ = static_cast<std::size_t>(at - buffer_.data()) + 1;
            return true;
        }
        begin_ = end_;
        if (atEnd_)
            return false;
        readMore();
    }
}

bool BlockReader::skipLine()
{
    if (begin_ == end_ && !atEnd_)
        readMore();
    if (begin_ == end_)
        return false;
    dropThroughLineEnd();
    return true;
}

bool BlockReader::next(std::string_view& block)
{
    for (;;) {
        const char* from = buffer_.data() + begin_;
        const char* to = buffer_.data() + end_;
        // The last line end of what is in hand closes the block; searched from the back
        // because it is usually within one line of the end.
        const char* cut = to;
        while (cut > from && !isLineEnd(cut[-1]))
            --cut;
        if (cut > from && !atEnd_) {
            block = std::string_view(from, static_cast<std::size_t>(cut - from));
            begin_ = static_cast<std::size_t>(cut - buffer_.data());
            return true;
        }
        if (atEnd_) {
            if (from == to)
                return false;
            block = std::string_view(from, static_cast<std::size_t>(to - from));
            begin_ = end_;
            return true;
        }
        if (holdsMoreThanALine()) {
            // A line without an end in sight: no entry, and never held whole.
            dropThroughLineEnd();
            continue;
        }
        readMore();
    }
}

} // namespace dravelin
