#include "database/result_lines.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include "database/capital_fold.h"
#include "database/length_bytes.h"

namespace dravelin {

namespace {

// The sort key of a line: its first eight bytes folded to capitals, the first the most
// significant, a shorter line filled with zeros. Keys in order mean lines in order.
constexpr std::size_t kKeyBytes = 8;

std::uint64_t foldedKey(std::string_view line)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < kKeyBytes; ++i) {
        key <<= 8;
        if (i < line.size())
            key |= kCapitalFold[static_cast<unsigned char>(line[i])];
    }
    return key;
}

unsigned keyDigit(std::uint64_t key, unsigned keyByte)
{
    return static_cast<unsigned>((key >> (8 * (kKeyBytes - 1 - keyByte))) & 0xFF);
}

} // namespace

std::string_view ResultLines::operator[](std::size_t index) const
{
    return lineAt(spans_[index]);
}

std::string_view ResultLines::lineAt(Span span) const
{
    const auto offset = static_cast<std::size_t>(span.packed >> kLengthBits);
    auto length = static_cast<std::size_t>(span.packed & kLongLine);
    if (length == kLongLine) {
        std::uint64_t longLength = 0;
        std::memcpy(&longLength, bytes_.data() + offset - sizeof longLength, sizeof longLength);
        length = static_cast<std::size_t>(longLength);
    }
    return std::string_view(bytes_.data() + offset, length);
}

void ResultLines::setAttachmentLength(std::size_t header)
{
    const std::size_t length = bytes_.size() - header - 1;
    if (length < 0x80) {
        bytes_[header] = static_cast<char>(length);
        return;
    }
    std::string encoded;
    appendLengthBytes(encoded, length);
    bytes_.replace(header, 1, encoded);
}

std::string_view ResultLines::attachmentOf(std::size_t index) const
{
    const std::string_view line = (*this)[index];
    const auto at = static_cast<std::size_t>(line.data() + line.size() - bytes_.data());
    std::string_view rest = std::string_view(bytes_).substr(at);
    std::size_t length = 0;
    takeLengthBytes(rest, length);
    return rest.substr(0, length);
}

void ResultLines::keepLongLine(std::size_t start, std::size_t length)
{
    const auto longLength = static_cast<std::uint64_t>(length);
    bytes_.insert(start, reinterpret_cast<const char*>(&longLength), sizeof longLength);
    const std::size_t offset = start + sizeof longLength;
    if (offset >= kOffsetLimit)
        throw std::length_error("result lines beyond a terabyte");
    spans_.push_back(Span{std::uint64_t{offset} << kLengthBits | kLongLine});
}

void ResultLines::clear()
{
    bytes_.clear();
    spans_.clear();
}

void ResultLines::add(std::string_view line)
{
    addWith([line](std::string& bytes) { bytes.append(line); });
}

void ResultLines::reserve(std::size_t bytes, std::size_t lines)
{
    if (bytes > bytes_.capacity())
        bytes_.reserve(bytes);
    if (lines > spans_.capacity())
        spans_.reserve(lines);
}

void ResultLines::sortForDisplay()
{
    const std::size_t count = spans_.size();
    if (count < 2)
        return;
    std::vector<std::uint64_t> keys(count);
    for (std::size_t i = 0; i < count; ++i)
        keys[i] = foldedKey((*this)[i]);
    sortByKeys(keys, 0, count, 0);
}

// Sorts [begin, end), whose keys agree on their bytes before `keyByte`, by the rest of the key,
// moving keys and spans together; lines whose keys are equal are then compared whole.
void ResultLines::sortByKeys(std::vector<std::uint64_t>& keys, std::size_t begin, std::size_t end, unsigned keyByte)
{
    constexpr std::size_t kFewLines = 32;
    for (;;) {
        const std::size_t count = end - begin;
        if (count < 2)
            return;
        if (count <= kFewLines) {
            insertionSort(keys, begin, end);
            return;
        }
        if (keyByte == kKeyBytes) {
            sortEqualKeys(begin, end);
            return;
        }
        std::array<std::size_t, 256> sizes{};
        for (std::size_t i = begin; i < end; ++i)
            ++sizes[keyDigit(keys[i], keyByte)];
        if (sizes[keyDigit(keys[begin], keyByte)] == count) {
            ++keyByte; // every line shares this byte: no pass needed
            continue;
        }

        // In place, a bucket at a time: each line is swapped straight into its bucket.
        std::array<std::size_t, 256> next{};
        std::array<std::size_t, 256> bucketEnd{};
        std::size_t at = begin;
        for (std::size_t digit = 0; digit < 256; ++digit) {
            next[digit] = at;
            at += sizes[digit];
            bucketEnd[digit] = at;
        }
        for (std::size_t digit = 0; digit < 256; ++digit) {
            while (next[digit] < bucketEnd[digit]) {
                const std::size_t i = next[digit];
                const unsigned belongs = keyDigit(keys[i], keyByte);
                if (belongs == digit) {
                    ++next[digit];
                    continue;
                }
                const std::size_t j = next[belongs]++;
                std::swap(keys[i], keys[j]);
                std::swap(spans_[i], spans_[j]);
            }
        }

        std::size_t start = begin;
        for (std::size_t digit = 0; digit < 256; ++digit) {
            const std::size_t stop = start + sizes[digit];
            if (sizes[digit] > 1)
                sortByKeys(keys, start, stop, keyByte + 1);
            start = stop;
        }
        return;
    }
}

void ResultLines::sortEqualKeys(std::size_t begin, std::size_t end)
{
    std::sort(spans_.begin() + static_cast<std::ptrdiff_t>(begin), spans_.begin() + static_cast<std::ptrdiff_t>(end),
              [this](Span a, Span b) { return lessIgnoringCase(lineAt(a), lineAt(b)); });
}

void ResultLines::insertionSort(std::vector<std::uint64_t>& keys, std::size_t begin, std::size_t end)
{
    const auto less = [this](std::uint64_t keyA, Span a, std::uint64_t keyB, Span b) {
        if (keyA != keyB)
            return keyA < keyB;
        return lessIgnoringCase(lineAt(a), lineAt(b));
    };
    for (std::size_t i = begin + 1; i < end; ++i) {
        const std::uint64_t key = keys[i];
        const Span span = spans_[i];
        std::size_t j = i;
        for (; j > begin && less(key, span, keys[j - 1], spans_[j - 1]); --j) {
            keys[j] = keys[j - 1];
            spans_[j] = spans_[j - 1];
        }
        keys[j] = key;
        spans_[j] = span;
    }
}

bool lessIgnoringCase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char fa = kCapitalFold[static_cast<unsigned char>(a[i])];
        const unsigned char fb = kCapitalFold[static_cast<unsigned char>(b[i])];
        if (fa != fb)
            return fa < fb;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) {
                                            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                                        });
}

} // namespace dravelin
