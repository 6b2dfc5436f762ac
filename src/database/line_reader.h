#pragma once

#include <cstddef>
#include <istream>
#include <string_view>

#include "database/buffered_stream.h"

namespace dravelin {

// A line, or a piece of one longer than the longest line read whole.
struct LinePiece {
    std::string_view bytes; // without the line end
    bool endsLine = true;   // false for every piece of a long line but its last
    bool longLine = false;  // the line is longer than the longest line read whole
};

// Cuts a byte stream into lines. CR LF, a lone CR and a lone LF each end a line, and the end
// of the stream ends the last one. Reads in large chunks so that no line costs an allocation;
// a line longer than a chunk grows the buffer, up to the longest line read whole.
class LineReader : public BufferedStream {
public:
    explicit LineReader(ReadHandle& input, std::size_t chunkSize = std::size_t{1} << 20,
                        std::size_t longestLine = kLongestLine);
    explicit LineReader(std::istream& input, std::size_t chunkSize = std::size_t{1} << 20,
                        std::size_t longestLine = kLongestLine);

    // The next line without its line end, valid until the next call; false at the end. A line
    // longer than the longest line is passed over without being held, and given as an empty
    // line with lastWasLong() true.
    bool next(std::string_view& line);
    bool lastWasLong() const { return lastWasLong_; }

    // The next line whole, or the next piece of a long line, for whoever copies every byte.
    bool nextPiece(LinePiece& piece);

private:
    bool inLongLine_ = false; // pieces of a long line have been given, not yet its last
    bool lastWasLong_ = false;
};

} // namespace dravelin
