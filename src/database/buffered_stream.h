#pragma once

#include <cstddef>
#include <istream>
#include <vector>

namespace dravelin {

// A byte stream read in large pieces into one buffer, the common ground of the line and
// block readers: the unread bytes are [begin_, end_) of buffer_.
class BufferedStream {
public:
    // True when reading stopped on an error of the stream rather than at its end.
    bool failed() const { return failed_; }

protected:
    BufferedStream(std::istream& input, std::size_t pieceSize);

    // Keeps the unread bytes, makes room (growing only for a line longer than the buffer) and
    // reads the next piece; sets atEnd_ once the stream gives less than asked.
    void readMore();

    std::istream& input_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
};

} // namespace dravelin
