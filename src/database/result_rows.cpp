#include "database/result_rows.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include "database/capital_fold.h"

namespace dravelin {

namespace {

// The sort key of a row: the first eight bytes of its shown line folded to capitals, the first
// the most significant. They lie in the callsign column, wider than the key, so they are the
// callsign's filled out with spaces. Keys in order mean lines in order.
constexpr std::size_t kKeyBytes = 8;
static_assert(kKeyBytes <= kCallsignColumnWidth, "the key lies in the callsign column");

std::uint64_t foldedKey(std::string_view callsign)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < kKeyBytes; ++i) {
        key <<= 8;
        key |= i < callsign.size() ? kCapitalFold[static_cast<unsigned char>(callsign[i])] : ' ';
    }
    return key;
}

unsigned keyDigit(std::uint64_t key, unsigned keyByte)
{
    return static_cast<unsigned>((key >> (8 * (kKeyBytes - 1 - keyByte))) & 0xFF);
}

} // namespace

std::string_view ResultRows::lineAt(Row row) const
{
    const auto offset = static_cast<std::size_t>(row.packed >> kLengthBits);
    auto length = static_cast<std::size_t>(row.packed & kLongLine);
    if (length == kLongLine) {
        std::uint64_t longLength = 0;
        std::memcpy(&longLength, bytes_.data() + offset - sizeof longLength, sizeof longLength);
        length = static_cast<std::size_t>(longLength);
    }
    return std::string_view(bytes_.data() + offset, length);
}

std::string_view ResultRows::recordLine(std::size_t index) const
{
    return lineAt(rows_[index]);
}

DirectoryRecord ResultRows::recordAt(std::size_t index) const
{
    // Only lines that could be cut were added.
    return *splitRecordLine(recordLine(index));
}

void ResultRows::prefetch(std::size_t index) const
{
#if defined(__GNUC__) || defined(__clang__)
    if (index < rows_.size()) {
        const char* line = bytes_.data() + (rows_[index].packed >> kLengthBits);
        __builtin_prefetch(line);
        __builtin_prefetch(line + 64);
    }
#else
    (void)index;
#endif
}

void ResultRows::appendDisplayLine(std::string& out, std::size_t index) const
{
    appendResultLine(out, recordAt(index), criterion_);
}

std::string ResultRows::displayLine(std::size_t index) const
{
    std::string line;
    appendDisplayLine(line, index);
    return line;
}

ListedEntry ResultRows::entryAt(std::size_t index) const
{
    return listedEntryOf(recordAt(index), criterion_);
}

void ResultRows::add(std::string_view recordLine, const DirectoryRecord& record)
{
    longest_ = std::max(longest_, resultLineLength(record, criterion_));
    const std::size_t length = recordLine.size();
    if (length >= kLongLine) {
        const auto longLength = static_cast<std::uint64_t>(length);
        bytes_.append(reinterpret_cast<const char*>(&longLength), sizeof longLength);
    }
    const std::size_t offset = bytes_.size();
    if (offset >= kOffsetLimit)
        throw std::length_error("result rows beyond a terabyte");
    bytes_.append(recordLine);
    rows_.push_back(Row{std::uint64_t{offset} << kLengthBits | std::min<std::uint64_t>(length, kLongLine)});
    keys_.push_back(foldedKey(record.callsign));
}

bool ResultRows::add(std::string_view recordLine)
{
    const auto record = splitRecordLine(recordLine);
    if (!record || !fitsResultLine(*record))
        return false;
    add(recordLine, *record);
    return true;
}

void ResultRows::clear()
{
    bytes_.clear();
    rows_.clear();
    keys_.clear();
    longest_ = 0;
}

void ResultRows::reserve(std::size_t bytes, std::size_t rows)
{
    if (bytes > bytes_.capacity())
        bytes_.reserve(bytes);
    if (rows > rows_.capacity())
        rows_.reserve(rows);
    if (rows > keys_.capacity())
        keys_.reserve(rows);
}

bool ResultRows::lessShown(Row a, Row b)
{
    shownA_.clear();
    shownB_.clear();
    const std::string_view lineA = lineAt(a);
    const std::string_view lineB = lineAt(b);
    appendResultLine(shownA_, *splitRecordLine(lineA), criterion_);
    appendResultLine(shownB_, *splitRecordLine(lineB), criterion_);
    return lessIgnoringCase(shownA_, shownB_);
}

void ResultRows::sortForDisplay()
{
    const std::size_t count = rows_.size();
    std::vector<std::uint64_t> keys;
    keys.swap(keys_); // only the sort needs them: they go with it
    if (count < 2)
        return;
    if (keys.size() != count) {
        keys.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            keys[i] = foldedKey(recordAt(i).callsign);
    }
    sortByKeys(keys, 0, count, 0);
}

// Sorts [begin, end), whose keys agree on their bytes before `keyByte`, by the rest of the key,
// moving keys and rows together; rows whose keys are equal are then compared by their whole lines.
void ResultRows::sortByKeys(std::vector<std::uint64_t>& keys, std::size_t begin, std::size_t end, unsigned keyByte)
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
                std::swap(rows_[i], rows_[j]);
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

void ResultRows::sortEqualKeys(std::size_t begin, std::size_t end)
{
    std::sort(rows_.begin() + static_cast<std::ptrdiff_t>(begin), rows_.begin() + static_cast<std::ptrdiff_t>(end),
              [this](Row a, Row b) { return lessShown(a, b); });
}

void ResultRows::insertionSort(std::vector<std::uint64_t>& keys, std::size_t begin, std::size_t end)
{
    const auto less = [this](std::uint64_t keyA, Row a, std::uint64_t keyB, Row b) {
        if (keyA != keyB)
            return keyA < keyB;
        return lessShown(a, b);
    };
    for (std::size_t i = begin + 1; i < end; ++i) {
        const std::uint64_t key = keys[i];
        const Row row = rows_[i];
        std::size_t j = i;
        for (; j > begin && less(key, row, keys[j - 1], rows_[j - 1]); --j) {
            keys[j] = keys[j - 1];
            rows_[j] = rows_[j - 1];
        }
        keys[j] = key;
        rows_[j] = row;
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
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

} // namespace dravelin
