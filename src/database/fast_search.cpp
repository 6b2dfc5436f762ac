#include "database/fast_search.h"

#include <algorithm>
#include <string>

#include "database/block_reader.h"
#include "database/record.h"
#include "database/result_line.h"
#include "database/query_rules.h"
#include "database/search.h"

namespace dravelin {

namespace {

// The text every line that the query finds must hold, in small or capital letters, or nothing
// when some found line may lack it (then every line is cut and tested).
std::string textOfEveryFoundLine(Criterion criterion, const QueryPattern& pattern)
{
    const std::string& text = pattern.text;
    // A match never spans a line end, and the walk below relies on a candidate staying in its line.
    if (text.empty() || text.find_first_of("\r\n") != std::string::npos)
        return {};
    switch (criterion) {
    case Criterion::Callsign:
    case Criterion::City:
        return text;
    case Criterion::Surname: {
        // A marked entry is read with this surname whatever its line holds.
        const bool orangeListSurname = pattern.prefix ? kOrangeListSurname.substr(0, text.size()) == text
                                                      : kOrangeListSurname == text;
        return orangeListSurname ? std::string() : text;
    }
    case Criterion::Department:
        // A two-character department equals the start of the postcode, just after the fifth
        // ";" -- except a four-character postcode, whose line end searchByText also looks for.
        // The start of a department may follow spaces: those are looked for line by line.
        if (pattern.prefix || text.size() != 2 || text == "00")
            return {};
        // Looking for the line end of a lost zero takes the digit in one case only.
        if (text[0] == '0' && smallLetterOf(text[1]) != text[1])
            return {};
        return ";" + text;
    }
    return {};
}

// What a scan does with each record it finds.
class AddResultLines {
public:
    AddResultLines(ResultLines& lines, Criterion criterion) : lines_(lines), criterion_(criterion) {}
    void operator()(const DirectoryRecord& record)
    {
        lines_.addWith([&](std::string& out) { appendResultLine(out, record, criterion_); });
    }

private:
    ResultLines& lines_;
    Criterion criterion_;
};

class CountLines {
public:
    void operator()(const DirectoryRecord&) { ++count; }
    std::size_t count = 0;
};

template <typename Found>
class BlockSearch {
public:
    BlockSearch(Criterion criterion, std::string_view query, Found& found, ScanLoops loops)
        : criterion_(criterion), pattern_(patternOf(query)), found_(found), loops_(loops),
          text_(textOfEveryFoundLine(criterion, pattern_)), finder_(text_, loops), byText_(!text_.empty()),
          lostZero_(criterion == Criterion::Department && byText_ && pattern_.text[0] == '0'),
          lostZeroDigit_(lostZero_ ? pattern_.text[1] : '0')
    {
    }

    // `body` holds whole lines only.
    void search(std::string_view body)
    {
        if (byText_)
            searchByText(body);
        else
            forEachLine(body, loops_, [this](std::string_view line, const LineSeparators& separators) {
                addIfFound(line, separators);
            });
    }

private:
    // Tests the lines that hold the text and, for a department 0X, the lines that end like a
    // postcode that lost its zero, each line once and in file order.
    void searchByText(std::string_view body)
    {
        const char* from = body.data();
        const char* const end = body.data() + body.size();
        const char* textHit = finder_.find(from, end);
        const char* tailEnd = lostZero_ ? findShortTailEnd(from, end, lostZeroDigit_, loops_) : nullptr;
        for (;;) {
            // `from` always stands at the start of a line, so the ways back stop there.
            const char* lineStart = nullptr;
            const char* lineEnd = nullptr;
            if (textHit != end) {
                lineStart = lineStartBefore(from, textHit);
                lineEnd = findLineEnd(textHit + text_.size(), end, loops_);
            }
            if (tailEnd != nullptr && (lineStart == nullptr || tailEnd < lineStart)) {
                lineStart = lineStartBefore(from, tailEnd - 5);
                lineEnd = tailEnd;
            }
            if (lineStart == nullptr)
                return;
            if (const auto record = foundRecord(std::string_view(lineStart, static_cast<std::size_t>(lineEnd - lineStart)),
                                                criterion_, pattern_))
                found_(*record);
            if (lineEnd == end)
                return;
            from = lineEnd + 1;
            if (textHit < from)
                textHit = finder_.find(from, end);
            if (tailEnd != nullptr && tailEnd < from)
                tailEnd = findShortTailEnd(from, end, lostZeroDigit_, loops_);
        }
    }

    void addIfFound(std::string_view line, const LineSeparators& separators)
    {
        if (separators.count < 5)
            return;
        const DirectoryRecord record = recordAtSeparators(line, separators.at);
        if (!fitsResultLine(record) || !recordMatches(record, criterion_, pattern_))
            return;
        found_(record);
    }

    Criterion criterion_;
    QueryPattern pattern_;
    Found& found_;
    ScanLoops loops_;
    std::string text_;
    SubstringFinder finder_;
    bool byText_;
    bool lostZero_;
    char lostZeroDigit_;
};

// Reserves the result block once the first blocks show how much a search finds per byte read.
void reserveForProjection(ResultLines& found, std::size_t bytesRead, std::size_t expectedBytes)
{
    if (expectedBytes <= bytesRead || bytesRead == 0 || found.empty())
        return;
    const double scale = static_cast<double>(expectedBytes) / static_cast<double>(bytesRead);
    const auto projectedBytes = static_cast<std::size_t>(static_cast<double>(found.byteCount()) * scale);
    const auto projectedLines = static_cast<std::size_t>(static_cast<double>(found.size()) * scale);
    if (projectedBytes > found.byteCapacity() || projectedLines > found.lineCapacity())
        found.reserve(projectedBytes + projectedBytes / 8 + 4096, projectedLines + projectedLines / 8 + 64);
}

// Reads the revision line, lets `afterRevisionLine` run, then searches every block and calls
// afterBlock(bytes read so far) after each.
template <typename Found, typename AfterBlock>
bool scanBlocks(std::istream& input, Criterion criterion, std::string_view query, Found& found,
                const std::function<void()>& afterRevisionLine, const ScanTuning& tuning, AfterBlock&& afterBlock)
{
    BlockReader reader(input, tuning.blockSize);
    std::string_view block;
    if (!reader.next(block))
        return !reader.failed();

    // The revision line is never an entry.
    const char* revisionEnd = findLineEnd(block.data(), block.data() + block.size(), tuning.loops);
    const std::size_t skipped = std::min(block.size(), static_cast<std::size_t>(revisionEnd - block.data()) + 1);
    if (afterRevisionLine)
        afterRevisionLine();

    BlockSearch<Found> search(criterion, query, found, tuning.loops);
    std::size_t bytesRead = block.size();
    search.search(block.substr(skipped));
    afterBlock(bytesRead);
    while (reader.next(block)) {
        search.search(block);
        bytesRead += block.size();
        afterBlock(bytesRead);
    }
    return !reader.failed();
}

} // namespace

bool scanStream(std::istream& input, Criterion criterion, std::string_view query, ResultLines& found,
                const std::function<void()>& afterRevisionLine, const ScanTuning& tuning)
{
    AddResultLines add(found, criterion);
    return scanBlocks(input, criterion, query, add, afterRevisionLine, tuning, [&](std::size_t bytesRead) {
        reserveForProjection(found, bytesRead, tuning.expectedBytes);
    });
}

bool countStream(std::istream& input, Criterion criterion, std::string_view query, std::size_t& count,
                 const ScanTuning& tuning)
{
    CountLines counter;
    const bool read = scanBlocks(input, criterion, query, counter, {}, tuning, [](std::size_t) {});
    count = counter.count;
    return read;
}

} // namespace dravelin
