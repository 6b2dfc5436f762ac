#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
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

    // Room for a search that will find this much, taken at once: growing by doubling would
    // hold the old and the new block together, up to three times the result, at the worst time.
    void reserve(std::size_t bytes, std::size_t lines);
    std::size_t byteCount() const { return bytes_.size(); }
    std::size_t byteCapacity() const { return bytes_.capacity(); }
    std::size_t lineCapacity() const { return spans_.capacity(); }

    // Lets `write` append one line to the block directly, without a copy in between.
    template <typename Writer>
    void addWith(Writer&& write)
    {
        addWith(std::forward<Writer>(write), [](std::string&) {});
    }

    // The same, and lets `attach` append bytes kept beside the line and never shown: what a
    // reader needs to take the line apart again (attachmentOf).
    template <typename Writer, typename Attacher>
    void addWith(Writer&& write, Attacher&& attach)
    {
        const std::size_t start = bytes_.size();
        write(bytes_);
        const std::size_t length = bytes_.size() - start;
        const std::size_t header = bytes_.size();
        bytes_ += '\0';
        attach(bytes_);
        setAttachmentLength(header);
        if (length < kLongLine && start < kOffsetLimit)
            spans_.push_back(Span{std::uint64_t{start} << kLengthBits | length});
        else
            keepLongLine(start, length);
    }

    // The bytes attached to line `index` when it was added; empty when none were.
    std::string_view attachmentOf(std::size_t index) const;

    // The display order: ascending, ignoring case (see lessIgnoringCase). Sorts by the first
    // eight folded bytes of each line, a radix at a time, and compares whole lines only where
    // those are equal, so a million lines cost a few passes over small keys rather than twenty
    // rounds of comparisons that each jump to two random places of the block.
    void sortForDisplay();

private:
    void sortByKeys(std::vector<std::uint64_t>& keys, std::size_t begin, std::size_t end, unsigned keyByte);
    void sortEqualKeys(std::size_t begin, std::size_t end);
    void insertionSort(std::vector<std::uint64_t>& keys, std::size_t begin, std::size_t end);

    // Where a line lies in the block, packed into eight bytes (a million lines cost 8 MB, not
    // 16): the offset in the high 40 bits, the length in the low 24. A line of 16 MiB or more
    // has kLongLine there, and its true length in the eight bytes just before it.
    struct Span {
        std::uint64_t packed;
    };
    static constexpr unsigned kLengthBits = 24;
    static constexpr std::uint64_t kLongLine = (std::uint64_t{1} << kLengthBits) - 1;
    static constexpr std::uint64_t kOffsetLimit = std::uint64_t{1} << (64 - kLengthBits);

    void keepLongLine(std::size_t start, std::size_t length);
    std::string_view lineAt(Span span) const;
    // An attachment stands just after its line: its length (length_bytes.h), then its bytes;
    // one byte for an empty one. Writes the length of the bytes after `header` into the byte
    // kept there, widened when it needs more.
    void setAttachmentLength(std::size_t header);

    std::string bytes_;
    std::vector<Span> spans_;
};

// Compares whole lines byte by byte with a-z and the accented small letters of
// Windows-1252 folded to their capitals, so the space sorts before digits and letters and
// the list reads in callsign order. Lines equal but for case keep a fixed order (byte order).
bool lessIgnoringCase(std::string_view a, std::string_view b);

} // namespace dravelin
