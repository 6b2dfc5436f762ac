#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "database/fast_search.h"
#include "database/search.h"
#include "support/file_faults.h"

namespace dravelin {
namespace {

std::string pad(const std::string& text, std::size_t width)
{
    return text + std::string(width - text.size(), ' ');
}

// A directory file with the entries that make the search rules visible.
const std::string kDirectory = "Base Rev 255  du 11/08/2009\r\n"
                               "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001\r\n"
                               "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002\r\n"
                               "\r\n"
                               "  F4SP  ;ESPACE;Anne;3 rue B;LYON ;69001\r\n"
                               "f1abc;minuscule;x;y;PARIS;75003\r\n"
                               "F1ABC;DURAND;Luc;5 rue C;NICE;06000\r\n"
                               "F5XY CET INDICATIF EST ATTRIBUE MAIS;N'EST PAS PUBLIABLE;;;LYON;69002\r\n"
                               "F2AA;LISTE ORANGE;;;PARIS;75004\r\n"
                               "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000\r\n"
                               "F8TOOLONGCALL;LONG;X;Y;PARIS;75005\r\n"
                               "malformed line without fields\r\n"
                               "F0AA;A;B;C;PARIS\r\n"
                               "F4LAST;ZOLA;Emile;9 rue E;PARIS ;75006\r\n"
                               "F3ACC;Dupr\xE9;R\xE9mi;4 rue F;\xE9pinal;88000\r\n"
                               "F3ACD;DUPRE;Jean;5 rue G;EPINAL;88000\r\n"
                               "F5AJA;CORSE;Sud;1 cours Napol\xE9on;AJACCIO;20000\r\n"
                               "F5PRO;PORTO;A;B;PROPRIANO;20110\r\n"
                               "F5BAS;BASTIA;A;B;BASTIA;20200\r\n"
                               "F5FUR;FURIANI;A;B;FURIANI;20600\r\n"
                               "F5ZZA;LETTRE;A;B;AJACCIO;2a004\r\n"
                               "F1ZER;ZERO;A;B;AMBERIEU;2070\r\n"
                               "FG5PAP;ANTILLES;A;B;POINTE A PITRE;97110\r\n"
                               "FM5FDF;MARTINIQUE;A;B;FORT DE FRANCE;97200\r\n"
                               "FR5RUN;REUNION;A;B;SAINT DENIS;97400\r\n"
                               "FH5MAY;MAYOTTE;A;B;MAMOUDZOU;97600\r\n"
                               "FK8NOU;CALEDONIE;A;B;NOUMEA;98800\r\n"
                               "F*9;ETOILE;A;B;NANCY;54000";

std::vector<std::string> search(const std::string& bytes, Criterion criterion, const std::string& query)
{
    std::istringstream input(bytes);
    ResultRows found;
    EXPECT_TRUE(searchStream(input, criterion, query, found));
    found.sortForDisplay();
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < found.size(); ++i)
        lines.push_back(found.displayLine(i));
    return lines;
}

struct SearchCase {
    const char* name;
    Criterion criterion;
    std::string query;
    std::vector<std::string> expected;
};

TEST(Search, FindsWholeTrimmedValuesExactlyAndListsThemSorted)
{
    const std::string dupont = pad("F1ABC", 12) + pad("DUPONT Jean", 40) + "12 rue Haute  75002 PARIS";
    const std::string durand = pad("F1ABC", 12) + pad("DURAND Luc", 40) + "5 rue C  06000 NICE";
    const std::string martin = pad("F6ZZZ", 12) + pad("MARTIN Paul", 40) + "1 rue A  75001 PARIS";
    const std::string lower = pad("f1abc", 12) + pad("minuscule x", 40) + "y  75003 PARIS";
    const std::string orange = pad("F2AA", 12) + "EN LISTE ORANGE";
    const std::string zola = pad("F4LAST", 12) + pad("ZOLA Emile", 40) + "9 rue E  75006 PARIS ";
    const std::string spaced = pad("  F4SP  ", 12) + pad("ESPACE Anne", 40) + "3 rue B  69001 LYON ";
    const std::string marked = pad("F5XY ", 12) + pad("EN LISTE ORANGE ", 40) + "  69002 LYON";
    const std::string bourg = pad("F8BRG", 12) + pad("BOURG Marc", 40) + "2 place D  01000 BOURG EN BRESSE";
    const std::string accented = pad("F3ACC", 12) + pad("Dupr\xE9 R\xE9mi", 40) + "4 rue F  88000 \xE9pinal";
    const std::string plain = pad("F3ACD", 12) + pad("DUPRE Jean", 40) + "5 rue G  88000 EPINAL";
    const std::string star = pad("F*9", 12) + pad("ETOILE A", 40) + "B  54000 NANCY";
    const std::string ajaccio = pad("F5AJA", 12) + pad("CORSE Sud", 40) + "1 cours Napol\xE9on  20000 AJACCIO";
    const std::string propriano = pad("F5PRO", 12) + pad("PORTO A", 40) + "B  20110 PROPRIANO";
    const std::string bastia = pad("F5BAS", 12) + pad("BASTIA A", 40) + "B  20200 BASTIA";
    const std::string furiani = pad("F5FUR", 12) + pad("FURIANI A", 40) + "B  20600 FURIANI";
    const std::string letter = pad("F5ZZA", 12) + pad("LETTRE A", 40) + "B  2a004 AJACCIO";
    const std::string zero = pad("F1ZER", 12) + pad("ZERO A", 40) + "B  02070 AMBERIEU";
    const std::string guadeloupe = pad("FG5PAP", 12) + pad("ANTILLES A", 40) + "B  97110 POINTE A PITRE";
    const std::string martinique = pad("FM5FDF", 12) + pad("MARTINIQUE A", 40) + "B  97200 FORT DE FRANCE";
    const std::string reunion = pad("FR5RUN", 12) + pad("REUNION A", 40) + "B  97400 SAINT DENIS";
    const std::string mayotte = pad("FH5MAY", 12) + pad("MAYOTTE A", 40) + "B  97600 MAMOUDZOU";
    const std::string caledonia = pad("FK8NOU", 12) + pad("CALEDONIE A", 40) + "B  98800 NOUMEA";

    const SearchCase cases[] = {
        {"same callsign twice, and once in small letters", Criterion::Callsign, "F1ABC", {dupont, durand, lower}},
        {"only the start of a callsign", Criterion::Callsign, "F1AB", {}},
        {"query with a trailing space", Criterion::Callsign, "F1ABC ", {}},
        {"stored callsign with spaces around it", Criterion::Callsign, "F4SP", {spaced}},
        {"marked callsign by its bare callsign", Criterion::Callsign, "F5XY", {marked}},
        {"callsign too long for its column is skipped", Criterion::Callsign, "F8TOOLONGCALL", {}},
        {"city, trimmed on the record side", Criterion::City, "PARIS", {dupont, lower, orange, zola, martin}},
        {"city in small letters finds the capitals", Criterion::City, "paris", {dupont, lower, orange, zola, martin}},
        {"accented capital finds the small accented letter", Criterion::City, "\xC9PINAL", {accented}},
        {"accented small letters find themselves", Criterion::Surname, "dupr\xE9", {accented}},
        {"accents are never dropped", Criterion::City, "EPINAL", {plain}},
        {"prefix of a callsign", Criterion::Callsign, "F1A*", {dupont, durand, lower}},
        {"prefix of a city, trimmed and folded", Criterion::City, "par*", {dupont, lower, orange, zola, martin}},
        {"prefix keeps its accents", Criterion::City, "EP*", {plain}},
        {"whole value as a prefix", Criterion::Surname, "DUPRE*", {plain}},
        {"prefix of a surname with an accented letter", Criterion::Surname, "DUPR\xC9*", {accented}},
        {"prefix of the marked entry's surname", Criterion::Surname, "EN LISTE*", {marked}},
        {"lone star lists every entry", Criterion::City, "*", {spaced,    star,       dupont,   durand,     lower,
                                                               zero,      orange,     accented, plain,      zola,
                                                               ajaccio,   bastia,     furiani,  propriano,  marked,
                                                               letter,    martin,     bourg,    guadeloupe, mayotte,
                                                               caledonia, martinique, reunion}},
        {"star inside a query is an ordinary character", Criterion::Callsign, "F*9", {star}},
        {"only the last star asks for a prefix", Criterion::Callsign, "F**", {star}},
        {"prefix of one letter", Criterion::Callsign, "f*", {spaced,    star,       dupont,   durand,     lower,
                                                             zero,      orange,     accented, plain,      zola,
                                                             ajaccio,   bastia,     furiani,  propriano,  marked,
                                                             letter,    martin,     bourg,    guadeloupe, mayotte,
                                                             caledonia, martinique, reunion}},
        {"a prefix query with a space before its star finds nothing", Criterion::City, "PARIS *", {}},
        {"department prefix", Criterion::Department, "6*", {spaced, marked}},
        {"department prefix 0 takes the lost zeros", Criterion::Department, "0*", {durand, zero, bourg}},
        {"surname", Criterion::Surname, "DUPONT", {dupont}},
        {"marked entry by surname", Criterion::Surname, "EN LISTE ORANGE", {marked}},
        {"LISTE ORANGE by surname shows the whole line",
         Criterion::Surname,
         "LISTE ORANGE",
         {pad("F2AA", 12) + pad("LISTE ORANGE ", 40) + "  75004 PARIS"}},
        {"department with a lost zero", Criterion::Department, "01", {bourg}},
        {"department 10 does not take postcode 1000", Criterion::Department, "10", {}},
        {"department", Criterion::Department, "69", {spaced, marked}},
        {"2A: postcodes 200xx and 201xx, and those stored as 2A",
         Criterion::Department,
         "2A",
         {ajaccio, propriano, letter}},
        {"2a is 2A", Criterion::Department, "2a", {ajaccio, propriano, letter}},
        {"2B: postcodes 202xx to 206xx", Criterion::Department, "2B", {bastia, furiani}},
        {"20 keeps its meaning", Criterion::Department, "20", {ajaccio, bastia, furiani, propriano}},
        {"2B does not take postcode 2070, department 02", Criterion::Department, "02", {zero}},
        {"department prefix 2", Criterion::Department, "2*", {ajaccio, bastia, furiani, propriano, letter}},
        {"971", Criterion::Department, "971", {guadeloupe}},
        {"972", Criterion::Department, "972", {martinique}},
        {"974", Criterion::Department, "974", {reunion}},
        {"976", Criterion::Department, "976", {mayotte}},
        {"973 has no entry", Criterion::Department, "973", {}},
        {"988", Criterion::Department, "988", {caledonia}},
        {"97 keeps its meaning", Criterion::Department, "97", {guadeloupe, mayotte, martinique, reunion}},
        {"department prefix 9", Criterion::Department, "9*", {guadeloupe, mayotte, caledonia, martinique, reunion}},
        {"three characters other than an overseas department find nothing", Criterion::Department, "200", {}},
        {"department 00 lists every entry",
         Criterion::Department,
         "00",
         {spaced, star,  dupont,     durand,  lower,     zero,       orange, accented,
          plain,  zola,  ajaccio,    bastia,  furiani,   propriano,  marked, letter,
          martin, bourg, guadeloupe, mayotte, caledonia, martinique, reunion}},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(search(kDirectory, c.criterion, c.query), c.expected);
    }
}

TEST(Search, TheRevisionLineIsNeverAnEntry)
{
    const std::string file = "F1ABC;A;B;C;PARIS;75001\r\nF2ABC;A;B;C;PARIS;75001\r\n";
    EXPECT_EQ(search(file, Criterion::City, "PARIS").size(), 1u);
    EXPECT_TRUE(search("Base Rev 255  du 11/08/2009\r\n", Criterion::Department, "00").empty());
    EXPECT_TRUE(search("", Criterion::Department, "00").empty());
}

TEST(Search, HostileBytesNeitherCrashNorShowBrokenLines)
{
    std::string file = "Base Rev\r\n";
    file += std::string(5'000'000, ';') + "\r\n"; // a huge line of separators: passed over
    constexpr char kControlBytes[] = "F1\0AB;\x01\x02;\xFF;\x80;PARIS;75001\r\r\n";
    file += std::string(kControlBytes, sizeof kControlBytes - 1); // NUL, control and high bytes
    file += ";;;;;\n;;;;;\r";
    const auto all = search(file, Criterion::Department, "00");
    EXPECT_EQ(all.size(), 3u);
    for (const std::string& line : all)
        EXPECT_GE(line.size(), 12u);
    EXPECT_EQ(search(file, Criterion::City, "PARIS").size(), 1u);
}

TEST(Search, PendingEventsRunOnceAfterTheRevisionLine)
{
    std::istringstream input(kDirectory);
    ResultRows found;
    int passes = 0;
    searchStream(input, Criterion::City, "PARIS", found, [&] {
        ++passes;
        EXPECT_TRUE(found.empty());
    });
    EXPECT_EQ(passes, 1);
    EXPECT_EQ(found.size(), 5u);
}

TEST(SearchDirectoryFile, TellsAMissingOrUnreadableFileAndLeavesNoLines)
{
    const test::TemporaryFolder scratch;
    const auto folder = scratch.path() / "program";
    std::filesystem::create_directories(folder);
    ResultRows found;
    found.add("F9OLD;STALE;Row;1 rue A;PARIS;75001");
    EXPECT_EQ(searchDirectoryFile(directoryFilePath(folder), Criterion::City, "PARIS", found), FileProblem::Missing);
    EXPECT_TRUE(found.empty());

    std::filesystem::create_directory(directoryFilePath(folder));
    EXPECT_EQ(searchDirectoryFile(directoryFilePath(folder), Criterion::City, "PARIS", found),
              FileProblem::NotReadable);
    std::filesystem::remove_all(folder);

    std::filesystem::create_directories(folder);
    std::ofstream(directoryFilePath(folder), std::ios::binary) << kDirectory;
    EXPECT_EQ(searchDirectoryFile(directoryFilePath(folder), Criterion::City, "PARIS", found), FileProblem::None);
    EXPECT_EQ(found.size(), 5u);
    EXPECT_EQ(found.displayLine(0).substr(0, 5), "F1ABC");
}

TEST(SearchDirectoryFile, AReadErrorAnywhereGivesNoListAtAll)
{
    test::TemporaryFolder folder;
    const std::filesystem::path file = directoryFilePath(folder.path());
    test::writeBytes(file, kDirectory);
    const std::uint64_t offsets[] = {0, 10, kDirectory.find("F1ABC;DURAND"), kDirectory.size() - 1, kDirectory.size()};
    for (const std::uint64_t offset : offsets) {
        SCOPED_TRACE(offset);
        test::FailingFileLayer layer(test::FileStep::Read);
        layer.readFailsAt = offset;
        ResultRows found;
        ASSERT_TRUE(found.add("F9OLD;STALE;Jean;1 rue A;PARIS;75001"));
        EXPECT_EQ(searchDirectoryFile(file, Criterion::City, "PARIS", found, {}, layer), FileProblem::NotReadable);
        // The lines found before the error are not the answer: none is shown.
        EXPECT_TRUE(found.empty());
        EXPECT_EQ(test::readBytes(file), kDirectory);
    }
    test::FailingFileLayer refused(test::FileStep::OpenForReading);
    ResultRows found;
    EXPECT_EQ(searchDirectoryFile(file, Criterion::City, "PARIS", found, {}, refused), FileProblem::NotReadable);
}

TEST(Search, ALineLongerThanTheLongestIsPassedOverByBothSearches)
{
    std::string longEntry = "F1LONG;LONG;Jean;" + std::string(kLongestLine, 'x') + ";PARIS;75001";
    const std::string file = "Base Rev 255  du 11/08/2009\r\n" + longEntry + "\r\n" +
                             "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001\r\n" + std::string(3 * kLongestLine, ';') + "\r\n";
    for (const Criterion criterion : {Criterion::City, Criterion::Callsign, Criterion::Department}) {
        for (const char* query : {"PARIS", "F1*", "F*", "75", "00"}) {
            SCOPED_TRACE(query);
            std::istringstream reference(file);
            ResultRows lines;
            EXPECT_TRUE(searchStream(reference, criterion, query, lines));
            std::istringstream fast(file);
            ResultRows scanned;
            EXPECT_TRUE(scanStream(fast, criterion, query, scanned));
            EXPECT_EQ(lines.size(), scanned.size());
            for (std::size_t i = 0; i < lines.size(); ++i)
                EXPECT_EQ(lines.displayLine(i).substr(0, 5), "F6ZZZ");
        }
    }
}

} // namespace
} // namespace dravelin
