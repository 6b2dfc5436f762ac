// The fast scan against the plain line-by-line search: same lines, same order, same number of
// pending-events passes, same failure, over generated directories and over files made of the
// lines that break the format, cut into blocks of every size, with and without vector loops.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "database/fast_search.h"
#include "database/record.h"
#include "database/result_line.h"
#include "database/search.h"
#include "database/text_bytes.h"
#include "directory_generator.h"
#include "support/file_faults.h"

namespace dravelin {
namespace {

using namespace std::string_literals;

constexpr Criterion kCriteria[] = {Criterion::Callsign, Criterion::Surname, Criterion::City, Criterion::Department};

const char* criterionName(Criterion criterion)
{
    switch (criterion) {
    case Criterion::Callsign:
        return "callsign";
    case Criterion::Surname:
        return "surname";
    case Criterion::City:
        return "city";
    case Criterion::Department:
        return "department";
    }
    return "?";
}

struct Outcome {
    bool read = false;
    int passes = 0;
    bool emptyAtPass = true;
    std::vector<std::string> lines; // in the order the search added them

    bool operator==(const Outcome& other) const
    {
        return read == other.read && passes == other.passes && emptyAtPass == other.emptyAtPass && lines == other.lines;
    }
};

std::vector<std::string> linesOf(const ResultRows& found)
{
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < found.size(); ++i)
        lines.push_back(found.displayLine(i));
    return lines;
}

template <typename Search>
Outcome run(std::istream& input, Search&& search)
{
    Outcome outcome;
    ResultRows found;
    outcome.read = search(input, found, [&] {
        ++outcome.passes;
        outcome.emptyAtPass = outcome.emptyAtPass && found.empty();
    });
    outcome.lines = linesOf(found);
    return outcome;
}

Outcome reference(const std::string& bytes, Criterion criterion, const std::string& query)
{
    std::istringstream input(bytes);
    return run(input, [&](std::istream& in, ResultRows& found, const std::function<void()>& pass) {
        return searchStream(in, criterion, query, found, pass);
    });
}

Outcome fast(const std::string& bytes, Criterion criterion, const std::string& query, const ScanTuning& tuning)
{
    std::istringstream input(bytes);
    return run(input, [&](std::istream& in, ResultRows& found, const std::function<void()>& pass) {
        return scanStream(in, criterion, query, found, pass, tuning);
    });
}

std::string printable(const std::string& text)
{
    std::string out;
    for (const char c : text.substr(0, 60)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            static const char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return text.size() > 60 ? out + "..." : out;
}

// The text with its capitals A to Z, À to Þ, Š Œ Ž Ÿ written small: what a list written before
// capitals were typed may hold.
std::string smallLetters(std::string text)
{
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
            c = static_cast<char>(byte + 32);
        else if (byte == 0x8A || byte == 0x8C || byte == 0x8E)
            c = static_cast<char>(byte + 16);
        else if (byte == 0x9F)
            c = static_cast<char>(0xFF);
    }
    return text;
}

// Queries for each criterion: the values lines can be found by, near misses around them, and
// texts that stand in other fields of the same lines.
struct Queries {
    std::map<Criterion, std::set<std::string>> byCriterion;

    void addForAll(const std::string& query)
    {
        for (const Criterion criterion : kCriteria)
            byCriterion[criterion].insert(query);
    }

    void addValueAndNearMisses(Criterion criterion, std::string_view value)
    {
        auto& queries = byCriterion[criterion];
        const std::string trimmed(trimSpaces(value));
        queries.insert(trimmed);
        queries.emplace(value);
        if (!trimmed.empty()) {
            queries.insert(trimmed.substr(0, trimmed.size() - 1)); // only the start
            queries.insert(trimmed + " ");
            queries.insert(" " + trimmed);
            queries.insert(smallLetters(trimmed));
            queries.insert(smallLetters(trimmed.substr(0, (trimmed.size() + 1) / 2)) + "*");
        }
    }

    void addDrawnFrom(std::string_view line)
    {
        const auto record = splitRecordLine(line);
        if (!record)
            return;
        std::array<char, 2> storage{};
        addValueAndNearMisses(Criterion::Callsign, record->callsign);
        addValueAndNearMisses(Criterion::Surname, record->surname);
        addValueAndNearMisses(Criterion::City, record->city);
        addValueAndNearMisses(Criterion::Department, departmentOf(record->postcode, storage));
        addValueAndNearMisses(Criterion::Department, record->postcode);
        addValueAndNearMisses(Criterion::Department, record->postcode.substr(0, 3));
        addForAll(std::string(trimSpaces(record->firstName)));
        addForAll(std::string(trimSpaces(record->address)));
    }

    std::size_t size() const
    {
        std::size_t total = 0;
        for (const auto& [criterion, queries] : byCriterion)
            total += queries.size();
        return total;
    }
};

const std::vector<std::string> kSpecialQueries = {
    "",
    " ",
    "00",
    "01",
    "05",
    "09",
    "0",
    "1",
    "10",
    "2A",
    "97",
    "75",
    "69",
    "7",
    "000",
    "0 ",
    "EN LISTE ORANGE",
    "LISTE ORANGE",
    "<LISTE ORANGE",
    " LISTE ORANGE",
    "ORANGE",
    "CET INDICATIF EST ATTRIBUE MAIS",
    "MAIS",
    "PARIS",
    "paris",
    "PAR",
    ";",
    ";;",
    ";75",
    "\r",
    "\n",
    "A\r\nB",
    "PARIS\r",
    "F1ABC",
    "\xC9PERNAY",
    "\x80",
    "\xFF",
    std::string(1, '\0'),
    "0\0"s,
    "75;01",
    "1;00",
    "f1abc",
    "\xE9pernay",
    "EPERNAY",
    "\x9F",
    "2a",
    "0a",
    "0A",
    "0\xE9",
    "en liste orange",
    "eN LISTE ORANGE",
    "*",
    "**",
    "*F",
    "F*",
    "f*",
    "F1*",
    "PAR*",
    "paris*",
    "PARIS *",
    "\xC9P*",
    "\xE9*",
    "0*",
    "1*",
    "6*",
    "9*",
    " *",
    "EN*",
    "en liste*",
    "EN LISTE ORANGE*",
    "LISTE*",
    "<*",
    ";*",
    "\r*",
    "\x9A*",
    "\x8A*",
    // Corsica and the overseas departments, named otherwise than by their postcodes' start.
    "2A",
    "2B",
    "2b",
    "20",
    "2*",
    "971",
    "972",
    "974",
    "976",
    "978",
    "988",
    "970",
    "98",
    "9*",
    "969",
    "990",
    "2A0",
    "200",
    "201",
    "97A",
};

// Compares the two searches for every criterion and query, under each way of cutting blocks.
void expectSameAsReference(const std::string& bytes, const Queries& queries, const std::vector<ScanTuning>& tunings)
{
    for (const auto& [criterion, queriesOfCriterion] : queries.byCriterion) {
        for (const std::string& query : queriesOfCriterion) {
            const Outcome expected = reference(bytes, criterion, query);
            std::istringstream input(bytes);
            std::size_t counted = 0;
            EXPECT_EQ(countStream(input, criterion, query, counted), expected.read);
            EXPECT_EQ(counted, expected.lines.size()) << criterionName(criterion) << " \"" << printable(query) << "\"";
            for (const ScanTuning& tuning : tunings) {
                const Outcome actual = fast(bytes, criterion, query, tuning);
                if (actual == expected)
                    continue;
                ADD_FAILURE() << criterionName(criterion) << " \"" << printable(query) << "\", blocks of "
                              << tuning.blockSize << (tuning.loops == ScanLoops::Vector ? ", vector" : ", bytewise")
                              << ": found " << actual.lines.size() << " lines, the reference " << expected.lines.size()
                              << (actual.read != expected.read ? ", read differs" : "")
                              << (actual.passes != expected.passes ? ", passes differ" : "");
                return;
            }
        }
    }
}

std::vector<ScanTuning> everyTuning(std::initializer_list<std::size_t> blockSizes)
{
    std::vector<ScanTuning> tunings;
    for (const std::size_t size : blockSizes) {
        for (const ScanLoops loops : {ScanLoops::Vector, ScanLoops::Bytewise}) {
            if (loops == ScanLoops::Vector && !vectorLoopsBuiltIn())
                continue;
            ScanTuning tuning;
            tuning.blockSize = size;
            tuning.loops = loops;
            tunings.push_back(tuning);
        }
    }
    return tunings;
}

TEST(FastScan, FindsWhatTheReferenceFindsInGeneratedDirectories)
{
    for (const std::uint64_t seed : {tools::kDefaultSeed, std::uint64_t{7}}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const std::string bytes = tools::makeDirectory(2000, seed);
        Queries queries;
        for (const std::string& query : kSpecialQueries)
            queries.addForAll(query);
        std::istringstream lines(bytes);
        std::string line;
        for (int number = 0; std::getline(lines, line); ++number) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            // A spread of the entries, the withheld ones among them.
            if (number > 0 && number % 97 == 1)
                queries.addDrawnFrom(line);
        }
        ASSERT_GT(queries.size(), 300u);
        expectSameAsReference(bytes, queries, {ScanTuning(), everyTuning({61}).back()});
    }
}

// Lines that break the format or sit at its edges.
const std::vector<std::string> kOddLines = {
    "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75001",
    "  F4SP  ;ESPACE;Anne;3 rue B; LYON ;69001",
    "F5XY CET INDICATIF EST ATTRIBUE MAIS;N'EST PAS PUBLIABLE;;;LYON;69002",
    "F5XZCET INDICATIF EST ATTRIBUE MAIS;DUPONT;Luc;;LYON;1000",
    "F6AA CET INDICATIF EST ATTRIBUE MAISCET INDICATIF EST ATTRIBUE MAIS;X;Y;Z;NICE;06000",
    "F6AB CET INDICATIF EST ATTRIBUE MAIS",
    "CET INDICATIF EST ATTRIBUE MAIS;;;;;",
    "F2AA;LISTE ORANGE;;;PARIS;75004",
    "F2AB;<LISTE ORANGE;;;PARIS;75004",
    "F2AC; LISTE ORANGE;;;PARIS;75004",
    "F2AD;EN LISTE ORANGE;Paul;;PARIS;75004",
    "F2AE;LISTE ORANGE ;;;PARIS;1000",
    "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000",
    "F8BRH;BOURG;Marc;2 place D;BOURG EN BRESSE;1;00",
    "F8BRI;BOURG;Marc;;BOURG;0100",
    "F8BRJ;A;B;C;D;5000;",
    "F8TOOLONGCALL;LONG;X;Y;PARIS;75005",
    std::string(200, 'F') + ";LONG;X;Y;PARIS;75005",
    "F123456789AB;TWELVE;X;Y;PARIS;75006",
    " F123456789AB ;TWELVE;X;Y;PARIS;75006",
    "malformed line without fields",
    "F0AA;A;B;C;PARIS",
    ";;;;;",
    std::string(20, ';'),
    "PARIS;PARIS;PARIS;PARIS;PARIS;PARIS",
    "F1PAR;PARISOT;PARIS;rue de PARIS;PARIS ;75;01",
    "F1X;MARTIN;Jean;1 rue;75001;PARIS",
    "F1Y;01;01;01;01;01",
    "F1Z;A;B;C;D; 1000",
    "F1W;A;B;C;D;75",
    "F1V;A;B;C;D;7",
    "F1U;A;B;C;D;",
    "F1T;A;B;C;D;   ",
    "F1S;A;B;C;D;0 12",
    "F1R;A;B;C;D;\0abc"s,
    "F1\0AB;\x01\x02;\xFF;\x80;PARIS;75001"s,
    "\xC9\xE9;\xC9LODIE;\xE9;\xE0;\xC9PERNAY;51200",
    "F1LONG;" + std::string(5000, 'A') + ";B;C;PARIS;75001",
    "F4AAA;A;B;C;PA;RIS",
    "F4AAB;A;B;C;PARIS;75001;",
    "\t F1TAB \t;A;B;C;PARIS;75001",
    "f1abc;minuscule;x;y;paris;75003",
    ";;;;PARIS;01",
    "f1acc;dupr\xE9;r\xE9mi;\xE0;\xE9pernay;a100",
    "F1ACD;\x9A"
    "ab;\x9C;\xFF;\x8A\x8C\x9F;a00",
    "F1ACE;en liste orange;x;y;Paris ;2a000",
    "F1*;ETOILE*;*;*;*;*",
    "F5AJA;A;B;C;AJACCIO;20000",
    "F5PRO;A;B;C;PROPRIANO;20199",
    "F5BAS;A;B;C;BASTIA;20200",
    "F5FUR;A;B;C;FURIANI;20600",
    "F5SAR;A;B;C;SARI;20700",
    "F5ZZA;A;B;C;AJACCIO;2a004",
    "F5ZZB;A;B;C;BASTIA;2B200",
    "F5SHO;A;B;C;D;20",
    "F5SHP;A;B;C;D;201",
    "F5SPA;A;B;C;D; 20100",
    "F5LOS;A;B;C;D;2010",
    "F5ADR;A;B;20 rue;D;75001",
    "FG5PAP;A;B;C;POINTE A PITRE;97110",
    "FR5RUN;A;B;971 chemin;SAINT DENIS;97400",
    "FH5MAY;A;B;C;MAMOUDZOU;976",
    "FK8NOU;A;B;C;NOUMEA;98800",
    "F9SEP;A;B;C;D;97;100",
};

const char* const kLineEnds[] = {"\r\n", "\r", "\n", "\r\r\n", "\n\r", "\r\n\r\n"};

// A small deterministic generator, so every run builds the same files.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed) {}
    std::size_t below(std::size_t n)
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<std::size_t>((state_ >> 8) % n);
    }

private:
    std::uint32_t state_;
};

std::vector<std::string> oddFiles()
{
    std::vector<std::string> files = {
        "",
        "Base Rev 255  du 11/08/2009",
        "Base Rev 255  du 11/08/2009\r\n",
        "\r\n",
        "\r",
        "\n" + kOddLines[0],
        "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75001\r\nF1ABC;DUPONT;Jean;12 rue Haute;PARIS;75001",
        "Base Rev\r" + std::string(3, '\n') + ";;;;PARIS;1000",
    };
    Dice dice(20091108);
    for (int file = 0; file < 8; ++file) {
        std::string bytes = file % 3 == 0 ? "Base Rev 255  du 11/08/2009\r\n"s : "Base Rev 255  du 11/08/2009\n"s;
        const std::size_t count = 10 + dice.below(40);
        for (std::size_t i = 0; i < count; ++i) {
            bytes += kOddLines[dice.below(kOddLines.size())];
            if (dice.below(8) == 0)
                bytes += kLineEnds[dice.below(std::size(kLineEnds))]; // empty lines in between
            bytes += kLineEnds[dice.below(std::size(kLineEnds))];
        }
        if (file % 2 == 1)
            bytes += kOddLines[dice.below(kOddLines.size())]; // no line end at the very end
        files.push_back(bytes);
    }
    return files;
}

TEST(FastScan, FindsWhatTheReferenceFindsInFilesThatBreakTheFormat)
{
    Queries queries;
    for (const std::string& query : kSpecialQueries)
        queries.addForAll(query);
    for (const std::string& line : kOddLines)
        queries.addDrawnFrom(line);
    const auto tunings = everyTuning({1, 5, 17, std::size_t{1} << 20});
    int number = 0;
    for (const std::string& bytes : oddFiles()) {
        SCOPED_TRACE("file " + std::to_string(number++));
        expectSameAsReference(bytes, queries, tunings);
    }
}

TEST(FastScan, RunsThePendingEventsOnceBeforeAnyLineIsFound)
{
    const std::string bytes = tools::makeDirectory(50);
    const Outcome outcome = fast(bytes, Criterion::Department, "00", ScanTuning());
    EXPECT_EQ(outcome.passes, 1);
    EXPECT_TRUE(outcome.emptyAtPass);
    EXPECT_EQ(outcome.lines.size(), 50u);
    // An empty file has no revision line to read before the pass.
    EXPECT_EQ(fast("", Criterion::Department, "00", ScanTuning()).passes, 0);
}

// Serves its bytes, then fails as a broken disk would.
class FailingBuffer : public std::streambuf {
public:
    FailingBuffer(std::string bytes, std::size_t failAt) : bytes_(std::move(bytes)), failAt_(failAt) {}

protected:
    int_type underflow() override
    {
        if (served_ >= failAt_)
            throw std::runtime_error("read error");
        const std::size_t piece = std::min<std::size_t>(7, failAt_ - served_);
        char* begin = bytes_.data() + served_;
        setg(begin, begin, begin + piece);
        served_ += piece;
        return traits_type::to_int_type(*begin);
    }

private:
    std::string bytes_;
    std::size_t failAt_;
    std::size_t served_ = 0;
};

TEST(FastScan, TellsAReadErrorAsTheReferenceDoes)
{
    const std::string bytes = tools::makeDirectory(200);
    for (const std::size_t failAt : {std::size_t{10}, bytes.size() / 2}) {
        FailingBuffer forReference(bytes, failAt);
        FailingBuffer forScan(bytes, failAt);
        std::istream referenceInput(&forReference);
        std::istream scanInput(&forScan);
        ResultRows found;
        EXPECT_FALSE(searchStream(referenceInput, Criterion::Department, "00", found));
        EXPECT_FALSE(scanStream(scanInput, Criterion::Department, "00", found));
    }
}

TEST(FastScan, SearchingTheFileGivesTheReferenceLinesInDisplayOrder)
{
    const std::string bytes = tools::makeDirectory(2000, 11);
    const test::TemporaryFolder folder;
    const auto file = directoryFilePath(folder.path());
    std::ofstream(file, std::ios::binary) << bytes;

    for (const auto& [criterion, query] :
         {std::pair{Criterion::Department, "00"s}, std::pair{Criterion::Department, "01"s},
          std::pair{Criterion::Surname, "MARTIN"s}, std::pair{Criterion::City, "PARIS"s},
          std::pair{Criterion::City, "paris"s}, std::pair{Criterion::City, "PAR*"s},
          std::pair{Criterion::Surname, "mart*"s}, std::pair{Criterion::Callsign, "f*"s},
          std::pair{Criterion::Department, "0*"s}, std::pair{Criterion::Department, "*"s}}) {
        SCOPED_TRACE(criterionName(criterion) + " "s + query);
        ResultRows expected;
        std::istringstream input(bytes);
        ASSERT_TRUE(searchStream(input, criterion, query, expected));
        expected.sortForDisplay();
        ResultRows found;
        ASSERT_EQ(searchDirectoryFile(file, criterion, query, found), FileProblem::None);
        EXPECT_FALSE(found.empty());
        EXPECT_EQ(linesOf(found), linesOf(expected));
    }
}

} // namespace
} // namespace dravelin
