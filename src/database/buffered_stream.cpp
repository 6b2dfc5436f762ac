#include "database/buffered_stream.h"

#include <cstring>

namespace dravelin {

BufferedStream::BufferedStream(std::istream& input, std::size_t pieceSize)
    : input_(input), buffer_(pieceSize == 0 ? 1 : pieceSize)
{
}

void BufferedStream::readMore()
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
