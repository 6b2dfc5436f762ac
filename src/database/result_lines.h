#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dravelin {

// The lines a search found, in one block of bytes, so that a million of them cost one
// allocation rather than a million.
class ResultLines {
public:
    std::size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    std::string_view operator[](std::size_t index) const;

    void clear();
    void add(std::string_view line);

    // Lets `write` append one line to the block directly, without a copy in between.
    template <typename Writer>
    void addWith(Writer&& write)
    {
        const std::size_t start = bytes_.size();
        write(bytes_);
        spans_.push_back({start, bytes_.size() - start});
    }

    // The display order: ascending, ignoring case (see lessIgnoringCase).
    void sortForDisplay();

private:
    struct Span {
        std::size_t offset;
        std::size_t length;
    };
    std::string bytes_;
    std::vector<Span> spans_;
};

// Compares whole lines byte by byte with a-z and the accented small letters of
// Windows-1252 folded to their capitals, so the space sorts before digits and letters and
// the list reads in callsign order. Lines equal but for case keep a fixed order (byte order).
bool lessIgnoringCase(std::string_view a, std::string_view b);

} // namespace dravelin
