#pragma once

#include <cstddef>
#include <istream>
#include <string_view>

#include "database/buffered_stream.h"
#include "database/byte_scan.h"

namespace dravelin {

// Reads a byte stream in large blocks, each ending just after a line end (CR or LF) or at the
// end of the stream, so that no line is ever cut between two blocks. A CR LF pair may still be
// parted: the LF then opens the next block as an empty line. A line longer than a block grows
// the buffer until it fits, up to the longest line read whole; a longer one is passed over
// without being held, and is in no block.
class BlockReader : public BufferedStream {
public:
    explicit BlockReader(ReadHandle& input, std::size_t blockSize = std::size_t{1} << 20,
                         std::size_t longestLine = kLongestLine);
    explicit BlockReader(std::istream& input, std::size_t blockSize = std::size_t{1} << 20,
                         std::size_t longestLine = kLongestLine);

    // Passes over the first line, however long, up to and with its first line end: false when
    // the stream holds no byte at all.
    bool skipLine();
    // The next block of whole lines, valid until the next call; false at the end.
    bool next(std::string_view& block);

private:
    // Drops the unread bytes up to and with the next line end, reading on as needed: false
    // when the stream ends first.
    bool dropThroughLineEnd();
};

} // namespace dravelin
