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
// the buffer until it fits.
class BlockReader : public BufferedStream {
public:
    explicit BlockReader(std::istream& input, std::size_t blockSize = std::size_t{1} << 20);

    // The next block of whole lines, valid until the next call; false at the end.
    bool next(std::string_view& block);
};

} // namespace dravelin
