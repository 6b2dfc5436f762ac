#include "database/fast_search.h"

#include <algorithm>
#include <string>

#include "database/block_reader.h"
#include "database/department.h"
#include "database/query_rules.h"
#include "database/record.h"
#include "database/result_line.h"
#include "database/search.h"

namespace dravelin {

namespace {

// What every line that the query finds must hold: a text, in small or capital letters; for a
// department, a second text it may hold instead and the look of a postcode that lost its zero.
// No text when some found line may hold none of them: then every line is cut and tested.
struct FoundLinesHold {
    std::string text;
    std::string otherText;
    bool lostZero = false;
    char lostZeroDigit = '0';
};

FoundLinesHold whatFoundLinesHold(Criterion criterion, const QueryPattern& pattern)
{
    const std::string& text = pattern.text;
    FoundLinesHold hold;
    // A match never spans a line end, and the walk below relies on a candidate staying in its line.
    if (text.empty() || text.find_first_of("\r\n") != std::string::npos)
        return hold;
    switch (criterion) {
    case Criterion::Callsign:
    case Criterion::City:
        hold.text = text;
        return hold;
    case Criterion::Surname: {
        // A marked entry is read with this surname whatever its line holds.
        const bool orangeListSurname =
            pattern.prefix ? kOrangeListSurname.substr(0, text.size()) == text : kOrangeListSurname == text;
        if (!orangeListSurname)
            hold.text = text;
        return hold;
    }
    case Criterion::Department:
        if (pattern.prefix && text.size() == 1) {
            // The first character of a department stands just after the fifth ";", or after
            // one space there; a "0" may also be the zero that a four-character postcode lost,
            // which has no text to look for.
            if (text[0] != '0') {
                hold.text = ";" + text;
                hold.otherText = "; " + text;
            }
            return hold;
        }
        // 2A, 2B and the overseas departments: their postcodes begin with 20 or the three
        // digits, just after the fifth ";"; a postcode may also begin with 2A or 2B themselves.
        if (const auto starts = pattern.prefix ? std::nullopt : namedPostcodeStarts(text)) {
            hold.text = ";" + std::string(starts->sharedStart());
            if (text != starts->sharedStart())
                hold.otherText = ";" + text;
            return hold;
        }
        // A two-character department equals the start of the postcode, just after the fifth
        // ";" -- except a four-character postcode, whose line end searchByText also looks for.
        if (text.size() != 2 || (!pattern.prefix && text == "00"))
            return hold;
        // Looking for the line end of a lost zero takes the digit in one case only.
        if (text[0] == '0' && smallLetterOf(text[1]) != text[1])
            return hold;
        hold.text = ";" + text;
        hold.lostZero = text[0] == '0';
        hold.lostZeroDigit = text[1];
        return hold;
    }
    return hold;
}

// What a scan does with each record it finds: keeps the line as read.
class AddRows {
public:
    explicit AddRows(ResultRows& rows) : rows_(rows) {}
    void operator()(std::string_view line, const DirectoryRecord& record) { rows_.add(line, record); }

private:
    ResultRows& rows_;
};

class CountLines {
public:
    void operator()(std::string_view, const DirectoryRecord&) { ++count; }
    std::size_t count = 0;
};

template <typename Found>
class BlockSearch {
public:
    BlockSearch(Criterion criterion, std::string_view query, Found& found, ScanLoops loops)
        : criterion_(criterion), pattern_(patternOf(query)), found_(found), loops_(loops),
          hold_(whatFoundLinesHold(criterion, pattern_)), finder_(hold_.text, loops),
          otherFinder_(hold_.otherText, loops), byText_(!hold_.text.empty())
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
    // Where the next line that holds a text starts and ends: null when there is none.
    struct Candidate {
        const char* hit = nullptr;
        const char* lineStart = nullptr;
        const char* lineEnd = nullptr;
    };

    Candidate nextHolding(const SubstringFinder& finder, std::size_t textSize, const char* from, const char* end) const
    {
        const char* hit = finder.find(from, end);
        if (hit == end)
            return {};
        return {hit, lineStartBefore(from, hit, loops_), findLineEnd(hit + textSize, end, loops_)};
    }

    // Tests the lines that hold one of the texts and, for a department 0X, the lines that end
    // like a postcode that lost its zero, each line once and in file order.
    void searchByText(std::string_view body)
    {
        const char* from = body.data();
        const char* const end = body.data() + body.size();
        const bool other = !hold_.otherText.empty();
        Candidate text = nextHolding(finder_, hold_.text.size(), from, end);
        Candidate otherText = other ? nextHolding(otherFinder_, hold_.otherText.size(), from, end) : Candidate();
        const char* tailEnd = hold_.lostZero ? findShortTailEnd(from, end, hold_.lostZeroDigit, loops_) : nullptr;
        for (;;) {
            // `from` always stands at the start of a line, so the ways back stop there.
            Candidate line = text;
            if (otherText.hit != nullptr && (line.hit == nullptr || otherText.lineStart < line.lineStart))
                line = otherText;
            if (tailEnd != nullptr && (line.hit == nullptr || tailEnd < line.lineStart))
                line = {tailEnd, lineStartBefore(from, tailEnd - 5, loops_), tailEnd};
            if (line.hit == nullptr)
                return;
            const std::string_view found(line.lineStart, static_cast<std::size_t>(line.lineEnd - line.lineStart));
            if (const auto record = foundRecord(found, criterion_, pattern_))
                found_(found, *record);
            if (line.lineEnd == end)
                return;
            from = line.lineEnd + 1;
            if (text.hit != nullptr && text.hit < from)
                text = nextHolding(finder_, hold_.text.size(), from, end);
            if (otherText.hit != nullptr && otherText.hit < from)
                otherText = nextHolding(otherFinder_, hold_.otherText.size(), from, end);
            if (tailEnd != nullptr && tailEnd < from)
                tailEnd = findShortTailEnd(from, end, hold_.lostZeroDigit, loops_);
        }
    }

    void addIfFound(std::string_view line, const LineSeparators& separators)
    {
        if (separators.count < 5 || line.size() > kLongestLine)
            return;
        const DirectoryRecord record = recordAtSeparators(line, separators.at);
        if (!fitsResultLine(record) || !recordMatches(record, criterion_, pattern_))
            return;
        found_(line, record);
    }

    Criterion criterion_;
    QueryPattern pattern_;
    Found& found_;
    ScanLoops loops_;
    FoundLinesHold hold_;
    SubstringFinder finder_;
    SubstringFinder otherFinder_;
    bool byText_;
};

// Reserves the result block once the first blocks show how much a search finds per byte read.
// The rows keep at most the bytes still to read (and the eight of a line too long for its
// packed length), so a search that finds everything reserves no more than the file.
void reserveForProjection(ResultRows& found, std::size_t bytesRead, std::size_t expectedBytes)
{
    if (expectedBytes <= bytesRead || bytesRead == 0 || found.empty())
        return;
    const double scale = static_cast<double>(expectedBytes) / static_cast<double>(bytesRead);
    const auto projectedBytes = static_cast<std::size_t>(static_cast<double>(found.byteCount()) * scale);
    const auto projectedRows = static_cast<std::size_t>(static_cast<double>(found.size()) * scale);
    const std::size_t mostBytes = found.byteCount() + (expectedBytes - bytesRead) + 64;
    if (projectedBytes > found.byteCapacity() || projectedRows > found.rowCapacity())
        found.reserve(std::min(projectedBytes + projectedBytes / 8 + 4096, mostBytes),
                      projectedRows + projectedRows / 8 + 64);
}

// Reads the revision line, lets `afterRevisionLine` run, then searches every block and calls
// afterBlock(bytes read so far) after each.
template <typename Found, typename AfterBlock>
bool scanBlocks(BlockReader& reader, Criterion criterion, std::string_view query, Found& found,
                const std::function<void()>& afterRevisionLine, const ScanTuning& tuning, AfterBlock&& afterBlock)
{
    // The revision line is never an entry, however long.
    if (!reader.skipLine())
        return !reader.failed();
    if (afterRevisionLine)
        afterRevisionLine();

    BlockSearch<Found> search(criterion, query, found, tuning.loops);
    std::size_t bytesRead = 0;
    std::string_view block;
    while (reader.next(block)) {
        search.search(block);
        bytesRead += block.size();
        afterBlock(bytesRead);
    }
    return !reader.failed();
}

template <typename Input>
bool scanInput(Input& input, Criterion criterion, std::string_view query, ResultRows& found,
               const std::function<void()>& afterRevisionLine, const ScanTuning& tuning)
{
    BlockReader reader(input, tuning.blockSize);
    found.setCriterion(criterion);
    AddRows add(found);
    return scanBlocks(reader, criterion, query, add, afterRevisionLine, tuning,
                      [&](std::size_t bytesRead) { reserveForProjection(found, bytesRead, tuning.expectedBytes); });
}

} // namespace

bool scanStream(std::istream& input, Criterion criterion, std::string_view query, ResultRows& found,
                const std::function<void()>& afterRevisionLine, const ScanTuning& tuning)
{
    return scanInput(input, criterion, query, found, afterRevisionLine, tuning);
}

bool scanFile(ReadHandle& input, Criterion criterion, std::string_view query, ResultRows& found,
              const std::function<void()>& afterRevisionLine, const ScanTuning& tuning)
{
    return scanInput(input, criterion, query, found, afterRevisionLine, tuning);
}

bool countStream(std::istream& input, Criterion criterion, std::string_view query, std::size_t& count,
                 const ScanTuning& tuning)
{
    CountLines counter;
    BlockReader reader(input, tuning.blockSize);
    const bool read = scanBlocks(reader, criterion, query, counter, {}, tuning, [](std::size_t) {});
    count = counter.count;
    return read;
}

} // namespace dravelin
