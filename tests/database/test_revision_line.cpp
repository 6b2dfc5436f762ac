#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "database/buffered_stream.h"
#include "database/revision_line.h"
#include "support/file_faults.h"

namespace dravelin {
namespace {

TEST(RevisionLine, LabelAndDateTextAreCountedFromEachEnd)
{
    struct Case {
        std::string line, label, date;
    };
    const Case cases[] = {
        {"Base Rev 255  du 11/08/2009", "Base Rev 255", "du 11/08/2009"},
        {"Base Rev 007  du 01/02/2026", "Base Rev 007", "du 01/02/2026"},
        {"Base", "Base", "Base"},
        {"", "", ""},
        {"Base Rev 12  du 1/2/2009", "Base Rev 12 ", "  du 1/2/2009"}, // a short date reads badly
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(revisionLabel(c.line), c.label);
        EXPECT_EQ(revisionDateText(c.line), c.date);
    }
}

TEST(RevisionLine, NumberIsReadFromCharactersTenToTwelve)
{
    const std::pair<std::string, int> cases[] = {
        {"Base Rev 255  du 11/08/2009", 255},
        {"Base Rev 009  du 11/08/2009", 9},
        {"Base Rev 007", 7},
        {"Base Rev  42", 42}, // spaces are skipped
        {"Base Rev 4 2", 42},
        {"Base Rev 12x", 12}, // reading stops at the first other character
        {"Base Rev x12", 0},
        {"Base Rev 9999", 999}, // only three characters count
        {"Base Rev ", 0},       // shorter than ten characters
        {"", 0},
    };
    for (const auto& [line, number] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(revisionNumber(line), number);
    }
}

TEST(RevisionLine, NewLineHasThreeDigitsAndTheDate)
{
    EXPECT_EQ(makeRevisionLine(256, "07/12/2026"), "Base Rev 256  du 07/12/2026");
    EXPECT_EQ(makeRevisionLine(10, "07/12/2026"), "Base Rev 010  du 07/12/2026");
    EXPECT_EQ(makeRevisionLine(1, "07/12/2026"), "Base Rev 001  du 07/12/2026");
}

TEST(RevisionLine, RaisedLineStopsAtTheThreeDigitLimit)
{
    struct Case {
        std::string line;
        std::optional<std::string> raised;
    };
    const Case cases[] = {
        {"Base Rev 255  du 11/08/2009", "Base Rev 256  du 07/12/2026"},
        {"Base Rev 009  du 11/08/2009", "Base Rev 010  du 07/12/2026"},
        {"Base Rev 099  du 11/08/2009", "Base Rev 100  du 07/12/2026"},
        {"Base Rev 998  du 11/08/2009", "Base Rev 999  du 07/12/2026"},
        {"Base Rev", "Base Rev 001  du 07/12/2026"},           // shorter than ten characters
        {"Base Rev abc  du x", "Base Rev 001  du 07/12/2026"}, // no digit
        {"", "Base Rev 001  du 07/12/2026"},
        {"Base Rev 999  du 11/08/2009", std::nullopt}, // a fourth digit would shift the date
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto raised = raisedRevisionLine(c.line, "07/12/2026");
        EXPECT_EQ(raised, c.raised);
        if (raised) {
            EXPECT_EQ(raised->size(), 27u);
        }
    }
}

class RevisionFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = scratch_.path() / "program";
        std::filesystem::create_directories(folder_);
    }
    std::filesystem::path write(const std::string& bytes)
    {
        const auto file = directoryFilePath(folder_);
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    test::TemporaryFolder scratch_;
    std::filesystem::path folder_;
};

TEST_F(RevisionFile, ReadsOnlyTheFirstLine)
{
    const FirstLine first = readRevisionLine(write("Base Rev 255  du 11/08/2009\r\nF1ABC;A;B;C;D;75001\r\n"));
    EXPECT_EQ(first.problem, FileProblem::None);
    EXPECT_TRUE(first.present);
    EXPECT_EQ(first.text, "Base Rev 255  du 11/08/2009");
}

TEST_F(RevisionFile, EmptyFileHasNoFirstLine)
{
    const FirstLine first = readRevisionLine(write(""));
    EXPECT_EQ(first.problem, FileProblem::None);
    EXPECT_FALSE(first.present);
}

TEST_F(RevisionFile, MissingFileAndFolderAreTold)
{
    EXPECT_EQ(readRevisionLine(directoryFilePath(folder_)).problem, FileProblem::Missing);
    std::filesystem::create_directory(directoryFilePath(folder_));
    EXPECT_EQ(readRevisionLine(directoryFilePath(folder_)).problem, FileProblem::NotReadable);
}

TEST_F(RevisionFile, AFirstLineLongerThanTheLongestReadsAsAnEmptyLine)
{
    for (const std::string& rest : {std::string(), std::string("\r\nF1ABC;A;B;C;D;75001\r\n")}) {
        const FirstLine first =
            readRevisionLine(write("Base Rev 255  du 11/08/2009" + std::string(kLongestLine, ' ') + rest));
        EXPECT_EQ(first.problem, FileProblem::None);
        EXPECT_TRUE(first.present);
        EXPECT_EQ(first.text, "");
        EXPECT_EQ(revisionLabel(first.text), "");
        EXPECT_EQ(revisionDateText(first.text), "");
    }
}

TEST_F(RevisionFile, AReadErrorIsTold)
{
    const auto file = write("Base Rev 255  du 11/08/2009\r\nF1ABC;A;B;C;D;75001\r\n");
    for (const std::uint64_t offset : {0u, 5u, 27u}) {
        SCOPED_TRACE(offset);
        test::FailingFileLayer layer(test::FileStep::Read);
        layer.readFailsAt = offset;
        EXPECT_EQ(readRevisionLine(file, layer).problem, FileProblem::NotReadable);
    }
}

} // namespace
} // namespace dravelin
