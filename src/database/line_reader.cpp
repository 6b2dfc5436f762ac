#include "database/line_reader.h"

#include <cstring>

namespace dravelin {

LineReader::LineReader(std::istream& input, std::size_t chunkSize)
    : BufferedStream(input, chunkSize)
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

} // namespace dravelin
