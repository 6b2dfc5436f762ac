#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "database/criterion.h"
#include "database/record.h"
#include "database/result_line.h"

namespace dravelin {

// The entries a search found, kept as the record lines that were read, in one block of bytes
// (a million of them cost one allocation, not a million). The line a list shows for a row is
// made only when asked for: the rows cost little more than the bytes of the entries.
class ResultRows {
public:
    // The criterion decides which rows show "EN LISTE ORANGE" alone (orangeListSurnameFor).
    Criterion criterion() const { return criterion_; }
    void setCriterion(Criterion criterion) { criterion_ = criterion; }

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    void clear();

    // Adds a found entry: `recordLine` as read, `record` cut from it (views into it).
    void add(std::string_view recordLine, const DirectoryRecord& record);
    // Adds a record line that can be cut into six fields and whose callsign fits its column;
    // false, and nothing added, for any other.
    bool add(std::string_view recordLine);

    // The record line of a row as it was read, and its fields.
    std::string_view recordLine(std::size_t index) const;
    DirectoryRecord recordAt(std::size_t index) const;

    // The line the list shows for a row (result_line.h).
    std::string displayLine(std::size_t index) const;
    void appendDisplayLine(std::string& out, std::size_t index) const;
    // Asks the processor to fetch the record line of a row now (when it can be asked): a pass
    // over the rows in list order reads them from all over the block, and fetching a few rows
    // ahead hides the wait. Past the last row, nothing.
    void prefetch(std::size_t index) const;
    // The length of the longest of those lines, kept as rows are added.
    std::size_t longestDisplayLine() const { return longest_; }

    // The six fields of a row, for whoever needs the entries in list order.
    ListedEntry entryAt(std::size_t index) const;

    // Room for a search that will find this much, taken at once: growing by doubling would
    // hold the old and the new block together, up to three times the result, at the worst time.
    void reserve(std::size_t bytes, std::size_t rows);
    std::size_t byteCount() const { return bytes_.size(); }
    std::size_t byteCapacity() const { return bytes_.capacity(); }
    std::size_t rowCapacity() const { return rows_.capacity(); }

    // The display order: the shown lines ascending, ignoring case (see lessIgnoringCase). Sorts
    // by the first eight folded bytes of each shown line (its callsign column), a radix at a
    // time, and makes and compares whole lines only where those are equal, so a million rows
    // cost a few passes over small keys.
    void sortForDisplay();

private:
    // Where a record line lies in the block, packed into eight bytes: the offset in the high
    // 40 bits, the length in the low 24. A line of 16 MiB or more has kLongLine there, and its
    // true length in the eight bytes just before it.
    struct Row {
        std::uint64_t packed;
    };
    static constexpr unsigned kLengthBits = 24;
    static constexpr std::uint64_t kLongLine = (std::uint64_t{1} << kLengthBits) - 1;
    static constexpr std::uint64_t kOffsetLimit = std::uint64_t{1} << (64 - kLengthBits);

    std::string_view lineAt(Row row) const;
    bool lessShown(Row a, Row b);
    void sortByKeys(std::vector<std::uint64_t>& keys, std::size_t begin, std::size_t end, unsigned keyByte);
    void sortEqualKeys(std::size_t begin, std::size_t end);
    void insertionSort(std::vector<std::uint64_t>& keys, std::size_t begin, std::size_t end);

    std::string bytes_;
    std::vector<Row> rows_;
    // The sort key of each row, made while its fields are at hand; kept until the sort.
    std::vector<std::uint64_t> keys_;
    Criterion criterion_ = Criterion::Callsign;
    std::size_t longest_ = 0;
    // The two lines a comparison of equal keys makes, kept to save an allocation each time.
    std::string shownA_;
    std::string shownB_;
};

// Compares whole lines byte by byte with a-z and the accented small letters of
// Windows-1252 folded to their capitals, so the space sorts before digits and letters and
// the list reads in callsign order. Lines equal but for case keep a fixed order (byte order).
bool lessIgnoringCase(std::string_view a, std::string_view b);

} // namespace dravelin
