#pragma once

#include <cstddef>
#include <istream>
#include <string_view>
#include <vector>

#include "database/byte_scan.h"

namespace dravelin {

// Reads a byte stream in large blocks, each ending just after a line end (CR or LF) or at the
// end of the stream, so that no line is ever cut between two blocks. A CR LF pair may still be
// parted: the LF then opens the next block as an empty line. A line longer than a block grows
// the buffer until it fits.
class BlockReader {
public:
    explicit BlockReader(std::istream& input, std::size_t blockSize = std::size_t{1} << 20);

    // The next block of whole lines, valid until the next call; false at the end.
    bool next(std::string_view& block);

    // True when reading stopped on an error of the stream rather than at its end.
    bool failed() const { return failed_; }

private:
    void readMore();

    std::istream& input_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0; // unread bytes are [begin_, end_)
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
};

} // namespace dravelin
