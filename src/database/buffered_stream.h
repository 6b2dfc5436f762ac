#pragma once

#include <cstddef>
#include <istream>
#include <memory>
#include <vector>

#include "database/file_layer.h"

namespace dravelin {

// The longest line read whole. No entry comes near it (a few hundred bytes); a longer line is
// passed over, or copied piece by piece, without ever being held, so that a file without line
// ends costs no more memory than any other.
inline constexpr std::size_t kLongestLine = std::size_t{64} << 10;

// A byte source read in large pieces into one buffer, the common ground of the line and block
// readers: the unread bytes are [begin_, end_) of buffer_. The buffer grows past its piece size
// only as far as the longest line needs.
class BufferedStream {
public:
    // True when reading stopped on an error of the stream rather than at its end.
    bool failed() const { return failed_; }

protected:
    BufferedStream(ReadHandle& input, std::size_t pieceSize, std::size_t longestLine);
    BufferedStream(std::istream& input, std::size_t pieceSize, std::size_t longestLine);

    // Keeps the unread bytes, makes room (growing only when they fill the buffer) and reads
    // until the buffer is full or the source ends; sets atEnd_ when it ends.
    void readMore();
    // Whether the unread bytes are already more than the longest line.
    bool holdsMoreThanALine() const { return end_ - begin_ > longestLine_; }

    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::size_t longestLine_;
    bool atEnd_ = false;
    bool failed_ = false;

private:
    std::unique_ptr<ReadHandle> ownSource_; // the stream's adapter, for the second constructor
    ReadHandle& source_;
};

} // namespace dravelin
