#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "database/search.h"

namespace dravelin {
namespace {

std::string pad(const std::string& text, std::size_t width)
{
    return text + std::string(width - text.size(), ' ');
}

// A directory file with the entries that make the search rules visible.
const std::string kDirectory =
    "Base Rev 255  du 11/08/2009\r\n"
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
        {"lone star lists every entry", Criterion::City, "*",
         {spaced, star, dupont, durand, lower, orange, accented, plain, zola, marked, martin, bourg}},
        {"star inside a query is an ordinary character", Criterion::Callsign, "F*9", {star}},
        {"only the last star asks for a prefix", Criterion::Callsign, "F**", {star}},
        {"prefix of one letter", Criterion::Callsign, "f*",
         {spaced, star, dupont, durand, lower, orange, accented, plain, zola, marked, martin, bourg}},
        {"a prefix query with a space before its star finds nothing", Criterion::City, "PARIS *", {}},
        {"department prefix", Criterion::Department, "6*", {spaced, marked}},
        {"department prefix 0 takes the lost zeros", Criterion::Department, "0*", {durand, bourg}},
        {"surname", Criterion::Surname, "DUPONT", {dupont}},
        {"marked entry by surname", Criterion::Surname, "EN LISTE ORANGE", {marked}},
        {"LISTE ORANGE by surname shows the whole line", Criterion::Surname, "LISTE ORANGE",
         {pad("F2AA", 12) + pad("LISTE ORANGE ", 40) + "  75004 PARIS"}},
        {"department with a lost zero", Criterion::Department, "01", {bourg}},
        {"department 10 does not take postcode 1000", Criterion::Department, "10", {}},
        {"department", Criterion::Department, "69", {spaced, marked}},
        {"department 00 lists every entry", Criterion::Department, "00",
         {spaced, star, dupont, durand, lower, orange, accented, plain, zola, marked, martin, bourg}},
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
    file += std::string(5'000'000, ';') + "\r\n";                    // a huge line of separators
    constexpr char kControlBytes[] = "F1\0AB;\x01\x02;\xFF;\x80;PARIS;75001\r\r\n";
    file += std::string(kControlBytes, sizeof kControlBytes - 1); // NUL, control and high bytes
    file += ";;;;;\n;;;;;\r";
    const auto all = search(file, Criterion::Department, "00");
    EXPECT_EQ(all.size(), 4u);
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
    const auto folder = std::filesystem::temp_directory_path() / "dravelin_search_missing";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    ResultRows found;
    found.add("F9OLD;STALE;Row;1 rue A;PARIS;75001");
    EXPECT_EQ(searchDirectoryFile(directoryFilePath(folder), Criterion::City, "PARIS", found), FileProblem::Missing);
    EXPECT_TRUE(found.empty());

    std::filesystem::create_directory(directoryFilePath(folder));
    EXPECT_EQ(searchDirectoryFile(directoryFilePath(folder), Criterion::City, "PARIS", found), FileProblem::NotReadable);
    std::filesystem::remove_all(folder);

    std::filesystem::create_directories(folder);
    std::ofstream(directoryFilePath(folder), std::ios::binary) << kDirectory;
    EXPECT_EQ(searchDirectoryFile(directoryFilePath(folder), Criterion::City, "PARIS", found), FileProblem::None);
    EXPECT_EQ(found.size(), 5u);
    EXPECT_EQ(found.displayLine(0).substr(0, 5), "F1ABC");
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace dravelin
