#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

#include "database/buffered_stream.h"
#include "database/expert_lookup.h"
#include "support/file_faults.h"

namespace dravelin {
namespace {

const std::string kDirectory = "Base Rev 255  du 11/08/2009\r\n"
                               "\r\n"
                               "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001\r\n"
                               "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002\r\n"
                               "F1ABC;DURAND;Luc;5 rue C;NICE;06000\r\n"
                               "F5XY CET INDICATIF EST ATTRIBUE MAIS;N'EST PAS PUBLIABLE;Eve;3 rue D;LYON;69002\r\n"
                               "F5ORG CET INDICATIF EST ATTRIBUE MAIS;X;Ann;4 rue E;LYON;69003\r\n"
                               "F2AA;LISTE ORANGE;;;PARIS;75004\r\n"
                               "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000\r\n"
                               "F4SP ;ESPACE;Anne;3 rue B;LYON;69001\r\n"
                               "F7MORE;PLUS;Jo;1 rue F;METZ;57000;extra;fields\r\n"
                               "F9BAD;too;few;fields\r\n"
                               ";VIDE;Sans;indicatif;NULLE PART;00000\r\n"
                               "f3low;minuscule;x;y;PARIS;75003\r\n"
                               "F4XYZ;L\xC9VY;H\xE9l\xE8ne;3 all\xE9"
                               "e des Pr\xE9s;\xC9VREUX;27000\n"
                               "F0LAST;DERNIER;Zoe;9 rue Z;NANTES;44000";

std::optional<ExpertEntry> find(const std::string& bytes, const std::string& key, int& passes)
{
    std::istringstream input(bytes);
    bool failed = true;
    const auto entry = findEntry(
        input, key, [&] { ++passes; }, failed);
    EXPECT_FALSE(failed);
    return entry;
}

TEST(ExpertLookup, FirstEntryOfTheKeyWithItsFieldsAsStored)
{
    struct Case {
        const char* name;
        std::string key;
        std::optional<ExpertEntry> entry;
    };
    const Case cases[] = {
        {"plain entry", "F6ZZZ", ExpertEntry{"F6ZZZ", "MARTIN", "Paul", "1 rue A", "PARIS", "75001"}},
        {"first of two in file order", "F1ABC",
         ExpertEntry{"F1ABC", "DUPONT", "Jean", "12 rue Haute", "PARIS", "75002"}},
        // The space before the marker stays part of the callsign: the trimmed key misses it.
        {"marker after a space", "F5XY", std::nullopt},
        {"marker after a space, untrimmed key", "F5XY ",
         ExpertEntry{"F5XY ", "EN LISTE ORANGE", "Eve", "3 rue D", "LYON", "69002"}},
        {"surname LISTE ORANGE as stored", "F2AA", ExpertEntry{"F2AA", "LISTE ORANGE", "", "", "PARIS", "75004"}},
        {"four-character postcode as stored", "F8BRG",
         ExpertEntry{"F8BRG", "BOURG", "Marc", "2 place D", "BOURG EN BRESSE", "1000"}},
        {"trailing space in the field", "F4SP", std::nullopt},
        {"more than six fields", "F7MORE",
         ExpertEntry{"F7MORE", "PLUS", "Jo", "1 rue F", "METZ", "57000;extra;fields"}},
        {"too few fields", "F9BAD", std::nullopt},
        {"empty key finds an empty callsign", "", ExpertEntry{"", "VIDE", "Sans", "indicatif", "NULLE PART", "00000"}},
        {"case counts", "F3LOW", std::nullopt},
        {"accented bytes kept", "F4XYZ",
         ExpertEntry{"F4XYZ", "L\xC9VY", "H\xE9l\xE8ne",
                     "3 all\xE9"
                     "e des Pr\xE9s",
                     "\xC9VREUX", "27000"}},
        {"last line without line end", "F0LAST", ExpertEntry{"F0LAST", "DERNIER", "Zoe", "9 rue Z", "NANTES", "44000"}},
        {"the revision line is never an entry", "Base Rev 255  du 11/08/2009", std::nullopt},
        {"unknown", "F0NONE", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int passes = 0;
        EXPECT_EQ(find(kDirectory, c.key, passes), c.entry);
        EXPECT_EQ(passes, 1);
    }
}

TEST(ExpertLookup, MarkedEntryIsFoundByItsBareCallsignWhenTheMarkerFollowsDirectly)
{
    int passes = 0;
    const auto entry = find("Base Rev 255  du 11/08/2009\r\nF5XYCET INDICATIF EST ATTRIBUE MAIS;N;Eve;A;LYON;69002\r\n",
                            "F5XY", passes);
    EXPECT_EQ(entry, (ExpertEntry{"F5XY", "EN LISTE ORANGE", "Eve", "A", "LYON", "69002"}));
}

TEST(ExpertLookup, EmptyFileHasNoEntryAndNoPendingEventsPass)
{
    int passes = 0;
    EXPECT_EQ(find("", "F1ABC", passes), std::nullopt);
    EXPECT_EQ(passes, 0);
}

TEST(ExpertLookup, FileProblemsAreTold)
{
    test::TemporaryFolder folder;
    EXPECT_EQ(lookUpEntry(folder.path() / "Annuaire_Amat.csv", "F1ABC").problem, FileProblem::Missing);
    std::filesystem::create_directory(folder.path() / "Annuaire_Amat.csv");
    EXPECT_EQ(lookUpEntry(folder.path() / "Annuaire_Amat.csv", "F1ABC").problem, FileProblem::NotReadable);
}

TEST(ExpertLookup, ReadsTheDirectoryFile)
{
    test::TemporaryFolder folder;
    test::writeBytes(folder.path() / "Annuaire_Amat.csv", kDirectory);
    const ExpertLookup found = lookUpEntry(folder.path() / "Annuaire_Amat.csv", "F8BRG");
    EXPECT_EQ(found.problem, FileProblem::None);
    ASSERT_TRUE(found.entry);
    EXPECT_EQ(found.entry->postcode, "1000");
}

TEST(ExpertLookup, AReadErrorBeforeTheEntryIsToldAndGivesNoEntry)
{
    test::TemporaryFolder folder;
    const std::filesystem::path file = folder.path() / "Annuaire_Amat.csv";
    test::writeBytes(file, kDirectory);
    const std::uint64_t entryStart = kDirectory.find("F8BRG");
    struct Case {
        std::uint64_t readFailsAt;
        bool found;
    };
    const Case cases[] = {{0, false},
                          {10, false},
                          {entryStart, false},
                          {entryStart + 20, false},
                          {kDirectory.size(), true}}; // read whole up to the end of its line first
    for (const Case& c : cases) {
        SCOPED_TRACE(c.readFailsAt);
        test::FailingFileLayer layer(test::FileStep::Read);
        layer.readFailsAt = c.readFailsAt;
        const ExpertLookup lookup = lookUpEntry(file, "F8BRG", {}, layer);
        EXPECT_EQ(lookup.problem, c.found ? FileProblem::None : FileProblem::NotReadable);
        EXPECT_EQ(lookup.entry.has_value(), c.found);
        EXPECT_EQ(test::readBytes(file), kDirectory);
    }
}

TEST(ExpertLookup, ALineLongerThanTheLongestIsPassedOver)
{
    int passes = 0;
    const std::string longLine = "F1LONG;LONG;Jean;" + std::string(kLongestLine, 'x') + ";PARIS;75001";
    EXPECT_EQ(find("Base Rev\r\n" + longLine + "\r\n", "F1LONG", passes), std::nullopt);
    const auto after =
        find("Base Rev\r\n" + longLine + "\r\nF1LONG;COURT;Jo;1 rue A;PARIS;75001\r\n", "F1LONG", passes);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->surname, "COURT");
}

} // namespace
} // namespace dravelin
