#include "database/block_reader.h"

#include <cstring>

namespace dravelin {

BlockReader::BlockReader(std::istream& input, std::size_t blockSize)
    : BufferedStream(input, blockSize)
{
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
        readMore();
    }
}

} // namespace dravelin
