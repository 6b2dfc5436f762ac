#include "database/line_reader.h"

#include <cstring>

namespace dravelin {

LineReader::LineReader(std::istream& input, std::size_t chunkSize)
    : input_(input), buffer_(chunkSize == 0 ? 1 : chunkSize)
{
}

bool LineReader::next(std::string_view& line)
{
    for (;;) {
        const char* base = buffer_.data();
        const char* from = base + begin_;
        const std::size_t available = end_ - begin_;
        const char* lf = static_cast<const char*>(std::memchr(from, '\n', available));
        const std::size_t crLimit = lf ? static_cast<std::size_t>(lf - from) : available;
        const char* cr = static_cast<const char*>(std::memchr(from, '\r', crLimit));

        if (cr) {
            const std::size_t crAt = static_cast<std::size_t>(cr - base);
            if (crAt + 1 == end_ && !atEnd_) {
                // A CR at the end of the chunk may be the first half of CR LF.
                readMore();
                continue;
            }
            line = std::string_view(from, crAt - begin_);
            begin_ = crAt + 1;
            if (begin_ < end_ && buffer_[begin_] == '\n')
                ++begin_;
            return true;
        }
        if (lf) {
            const std::size_t lfAt = static_cast<std::size_t>(lf - base);
            line = std::string_view(from, lfAt - begin_);
            begin_ = lfAt + 1;
            return true;
        }
        if (atEnd_) {
            if (available == 0)
                return false;
            line = std::string_view(from, available);
            begin_ = end_;
            return true;
        }
        readMore();
    }
}

// Keeps the unread bytes, makes room (growing only for a line longer than the buffer) and
// reads the next chunk.
void LineReader::readMore()
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
