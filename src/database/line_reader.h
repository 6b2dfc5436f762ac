#pragma once

#include <cstddef>
#include <istream>
#include <string_view>

#include "database/buffered_stream.h"

namespace dravelin {

// Cuts a byte stream into lines. CR LF, a lone CR and a lone LF each end a line, and the end
// of the stream ends the last one. Reads in large chunks so that no line costs an allocation;
// a line longer than a chunk grows the buffer instead.
class LineReader : public BufferedStream {
public:
    explicit LineReader(std::istream& input, std::size_t chunkSize = std::size_t{1} << 20);

    // The next line without its line end, valid until the next call; false at the end.
    bool next(std::string_view& line);
};

} // namespace dravelin
