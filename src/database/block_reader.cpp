#include "database/block_reader.h"

#include <cstring>

namespace dravelin {

BlockReader::BlockReader(std::istream& input, std::size_t blockSize)
    : input_(input), buffer_(blockSize == 0 ? 1 : blockSize)
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

// Keeps the unread bytes, makes room (growing only for a line longer than the buffer) and
// reads the next block.
void BlockReader::readMore()
{
    const std::size_t kept = end_ - begin_;
    if (begin_ > 0 && kept > 0)
        std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
    begin_ = 0;
    end_ = kept;
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);

    const std::size_t requested = buffer_.size() - end_;
    input_.read(buffer_.data() + end_, static_cast<std::streamsize>(requested));
    const auto got = static_cast<std::size_t>(input_.gcount());
    end_ += got;
    if (got < requested) {
        atEnd_ = true;
        failed_ = input_.bad();
    }
}

} // namespace dravelin
