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

TEST(LineReader, ReadsALineLongerThanManyChunks)
{
    const std::string longLine(3'000'000, 'x');
    EXPECT_EQ(readAll("rev\r\n" + longLine + "\r\nlast", 4096), (std::vector<std::string>{"rev", longLine, "last"}));
}

} // namespace
} // namespace dravelin
