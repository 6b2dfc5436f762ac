#pragma once

#include <cstddef>
#include <istream>
#include <string_view>
#include <vector>

namespace dravelin {

// Cuts a byte stream into lines. CR LF, a lone CR and a lone LF each end a line, and the end
// of the stream ends the last one. Reads in large chunks so that no line costs an allocation;
// a line longer than a chunk grows the buffer instead.
class LineReader {
public:
    explicit LineReader(std::istream& input, std::size_t chunkSize = std::size_t{1} << 20);

    // The next line without its line end, valid until the next call; false at the end.
    bool next(std::string_view& line);

    // True when reading stopped on an error of the stream rather than at its end.
    bool failed() const { return failed_; }

private:
    void readMore();

    std::istream& input_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
};

} // namespace dravelin
