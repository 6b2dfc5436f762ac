#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "database/line_reader.h"

namespace dravelin {
namespace {

std::vector<std::string> readAll(const std::string& bytes, std::size_t chunkSize)
{
    std::istringstream input(bytes);
    LineReader reader(input, chunkSize);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    EXPECT_FALSE(reader.failed());
    return lines;
}

struct LineCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

TEST(LineReader, EndsLinesAtCrLfLoneCrLoneLfAndEndOfFileWhateverTheChunkSize)
{
    const std::vector<LineCase> cases = {
        {"empty file", "", {}},
        {"CR LF", "Base\r\nF1ABC;A\r\n", {"Base", "F1ABC;A"}},
        {"no final line end", "Base\r\nF1ABC;A", {"Base", "F1ABC;A"}},
        {"lone CR", "Base\rF1ABC\r", {"Base", "F1ABC"}},
        {"lone LF", "Base\nF1ABC\n", {"Base", "F1ABC"}},
        {"mixed ends", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"CR CR LF is an empty line", "a\r\r\nb", {"a", "", "b"}},
        {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
        {"empty lines kept", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"only a line end", "\r\n", {""}},
        {"NUL and high bytes kept", std::string("a\0b\xE9\xFF\x81\r\n", 8), {std::string("a\0b\xE9\xFF\x81", 6)}},
    };
    for (const LineCase& c : cases)
        for (const std::size_t chunk : {1u, 2u, 3u, 5u, 1u << 20}) {
            SCOPED_TRACE(std::string(c.name) + ", chunk " + std::to_string(chunk));
            EXPECT_EQ(readAll(c.bytes, chunk), c.lines);
        }
}

// Each line as its pieces put together, and whether it came as a long line.
struct Assembled {
    std::vector<std::string> lines;
    std::vector<bool> longLines;
};

Assembled readPieces(const std::string& bytes, std::size_t chunkSize, std::size_t longestLine)
{
    std::istringstream input(bytes);
    LineReader reader(input, chunkSize, longestLine);
    Assembled read;
    std::string line;
    LinePiece piece;
    while (reader.nextPiece(piece)) {
        line += piece.bytes;
        if (!piece.endsLine) {
            EXPECT_TRUE(piece.longLine);
            continue;
        }
        read.lines.push_back(line);
        read.longLines.push_back(piece.longLine);
        line.clear();
    }
    EXPECT_TRUE(line.empty());
    EXPECT_FALSE(reader.failed());
    return read;
}

std::vector<std::string> readSkipping(const std::string& bytes, std::size_t chunkSize, std::size_t longestLine)
{
    std::istringstream input(bytes);
    LineReader reader(input, chunkSize, longestLine);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(reader.lastWasLong() ? "<long>" : std::string(line));
    return lines;
}

struct LongLineCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines; // whole, as the pieces give them back
    std::vector<bool> longLines;
};

TEST(LineReader, ALineLongerThanTheLongestComesInPiecesOrIsPassedOverWhateverTheChunkSize)
{
    constexpr std::size_t kLongest = 8;
    const std::string nine = "123456789";
    const std::string many(40, 'x');
    const std::vector<LongLineCase> cases = {
        {"a line of the longest length is whole",
         "rev\r\n12345678\r\nlast",
         {"rev", "12345678", "last"},
         {false, false, false}},
        {"one byte more makes it long", "rev\r\n" + nine + "\r\nlast", {"rev", nine, "last"}, {false, true, false}},
        {"a long first line", many + "\r\nF1", {many, "F1"}, {true, false}},
        {"a long last line without a line end", "rev\r\n" + many, {"rev", many}, {false, true}},
        {"a long line ended by a lone CR", many + "\rb\n", {many, "b"}, {true, false}},
        {"a long line ended by a lone LF", many + "\nb", {many, "b"}, {true, false}},
        {"two long lines in a row", many + "\r\n" + many + "\r\n", {many, many}, {true, true}},
        {"a file of one long line", many, {many}, {true}},
    };
    for (const LongLineCase& c : cases)
        for (const std::size_t chunk : {1u, 2u, 3u, 5u, 16u, 1u << 20}) {
            SCOPED_TRACE(std::string(c.name) + ", chunk " + std::to_string(chunk));
            const Assembled read = readPieces(c.bytes, chunk, kLongest);
            EXPECT_EQ(read.lines, c.lines);
            EXPECT_EQ(read.longLines, c.longLines);
            std::vector<std::string> skipping;
            for (std::size_t i = 0; i < c.lines.size(); ++i)
                skipping.push_back(c.longLines[i] ? "<long>" : c.lines[i]);
            EXPECT_EQ(readSkipping(c.bytes, chunk, kLongest), skipping);
        }
}

TEST(LineReader, ALineOfMegabytesIsPassedOverOrCopiedByteForByte)
{
    std::string longLine(3'000'000, 'x');
    longLine[1'234'567] = ';';
    const std::string bytes = "rev\r\n" + longLine + "\r\nlast";
    EXPECT_EQ(readAll(bytes, 4096), (std::vector<std::string>{"rev", "", "last"}));
    const Assembled read = readPieces(bytes, 4096, kLongestLine);
    EXPECT_EQ(read.lines, (std::vector<std::string>{"rev", longLine, "last"}));
    EXPECT_EQ(read.longLines, (std::vector<bool>{false, true, false}));
}

} // namespace
} // namespace dravelin
