#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "database/directory_file.h"
#include "directory_generator.h"
#include "support/child_process.h"
#include "support/file_faults.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;
using test::Finished;
using test::TemporaryFolder;

std::string crlfLines(std::initializer_list<std::string> lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// A folder of the given name, as its bytes, holding a directory file.
struct Folder {
    TemporaryFolder root;
    fs::path path;
    Folder(const fs::path& name, const std::string& directoryBytes) : path(root.path() / name)
    {
        fs::create_directories(path);
        test::writeBytes(directoryFilePath(path), directoryBytes);
    }
    std::string file() const { return directoryFilePath(path).u8string(); }
};

Finished recherche(const Folder& folder, const std::vector<std::string>& arguments)
{
    return test::runToEnd(DRAVELIN_RECHERCHE, arguments, folder.root.path());
}

struct FolderName {
    const char* name;
    fs::path folder;
};

const FolderName kFolderNames[] = {
    {"plain", "dravelin"},
    {"accents", fs::u8path("Annuaire d\xC3\xA9j\xC3\xA0 vu")},
    // Letters no Windows-1252 name can hold: on Windows the name must reach the program in UTF-16.
    {"letters beyond Windows-1252", fs::u8path("\xC5\x81\xC3\xB3"
                                               "d\xC5\xBA \xCE\xA9")},
#ifndef _WIN32
    // Made on a system that wrote names in Latin-1: not UTF-8, opened by its bytes all the same.
    {"Latin-1 bytes", fs::path(std::string("caf\xE9"))},
#endif
};

struct Query {
    const char* name;
    std::string criterion;
    std::string query; // UTF-8, as typed in a terminal
    std::string expected;
    bool utf8 = false; // run with --utf8
};

TEST(DravelinRecherche, PrintsTheListThenTheCountAsWindows1252WithCrLf)
{
    const std::string directory = crlfLines({"Base Rev 255  du 11/08/2009", "F2B;Z;Y;X;\xC9VREUX;27000",
                                             "F1A;L\xC9VY;H\xE9l\xE8ne;A;\xC9VREUX;27000", "F3C;Q;R;S;PARIS;75001",
                                             "F4D;C;D;E;AJACCIO;20000", "FG5E;F;G;H;POINTE A PITRE;97110"});
    // Bytes as a text save writes them: no CR added before the LF of CR LF.
    const std::string levy = "F1A         L\xC9VY H\xE9l\xE8ne" + std::string(29, ' ') + "A  27000 \xC9VREUX\r\n";
    const std::string other = "F2B         Z Y" + std::string(37, ' ') + "X  27000 \xC9VREUX\r\n";
    const std::string paris = "F3C         Q R" + std::string(37, ' ') + "S  75001 PARIS\r\n";
    const std::string ajaccio = "F4D         C D" + std::string(37, ' ') + "E  20000 AJACCIO\r\n";
    const std::string guadeloupe = "FG5E        F G" + std::string(37, ' ') + "H  97110 POINTE A PITRE\r\n";
    // The same lines as a UTF-8 terminal shows them: each letter in its UTF-8 bytes, the columns
    // and the CR LF as they were.
    const std::string levyUtf8 =
        "F1A         L\xC3\x89VY H\xC3\xA9l\xC3\xA8ne" + std::string(29, ' ') + "A  27000 \xC3\x89VREUX\r\n";
    const std::string otherUtf8 = "F2B         Z Y" + std::string(37, ' ') + "X  27000 \xC3\x89VREUX\r\n";
    const std::string expected = levy + other + " 2 indicatif(s)\r\n";
    for (const FolderName& name : kFolderNames) {
        SCOPED_TRACE(name.name);
        Folder folder(name.folder, directory);
        const Finished run = recherche(folder, {folder.file(), "ville", "\xC3\x89VREUX"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, expected);
        EXPECT_EQ(run.err, "");
    }

    // The rules of the window: small letters find their capitals, accents stay, a final star
    // asks for the start of the field.
    const Query queries[] = {
        {"city in small letters", "ville", "\xC3\xA9vreux", levy + other + " 2 indicatif(s)\r\n"},
        {"accents are not dropped", "ville", "EVREUX", " 0 indicatif(s)\r\n"},
        {"surname prefix", "nom", "l\xC3\xA9*", levy + " 1 indicatif(s)\r\n"},
        {"lone star", "indicatif", "*", levy + other + paris + ajaccio + guadeloupe + " 5 indicatif(s)\r\n"},
        {"department prefix", "departement", "7*", paris + " 1 indicatif(s)\r\n"},
        {"Corse-du-Sud in small letters", "departement", "2a", ajaccio + " 1 indicatif(s)\r\n"},
        {"Haute-Corse", "departement", "2B", " 0 indicatif(s)\r\n"},
        {"Guadeloupe by three digits", "departement", "971", guadeloupe + " 1 indicatif(s)\r\n"},
        {"UTF-8 for a terminal", "ville", "\xC3\xA9vreux", levyUtf8 + otherUtf8 + " 2 indicatif(s)\r\n", true},
        {"UTF-8 of lines without accents", "departement", "971", guadeloupe + " 1 indicatif(s)\r\n", true},
        {"UTF-8, nothing found", "ville", "EVREUX", " 0 indicatif(s)\r\n", true},
    };
    Folder folder("dravelin", directory);
    for (const Query& query : queries) {
        SCOPED_TRACE(query.name);
        std::vector<std::string> arguments = {folder.file(), query.criterion, query.query};
        if (query.utf8)
            arguments.insert(arguments.begin(), "--utf8");
        const Finished run = recherche(folder, arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, query.expected);
    }
}

struct Failure {
    const char* name;
    fs::path folder;
    std::string criterion;
    std::string query;
    bool missingFile;
    int status;
    std::string message; // a part of what standard error must say
};

TEST(DravelinRecherche, FailuresHaveTheirOwnStatus)
{
    const Failure failures[] = {
        {"rejected department", "dravelin", "departement", "7", false, 2,
         "Attention 2 caracteres pour le d\xC3\xA9partement"},
        {"empty callsign", "dravelin", "indicatif", "", false, 2, "Entrez un indicatif"},
        {"unknown criterion", "dravelin", "prenom", "X", false, 2, "prenom"},
        {"missing file", "dravelin", "ville", "PARIS", true, 1, "introuvable"},
#ifndef _WIN32
        // The name is shown readably, its Latin-1 byte as the letter it stands for.
        {"missing file in a Latin-1 folder", fs::path(std::string("caf\xE9")), "ville", "PARIS", true, 1,
         "/caf\xC3\xA9/Annuaire_Amat.csv"},
#endif
        // Characters the file cannot hold would become a substitution byte: refused, not searched.
        {"query outside Windows-1252", "dravelin", "ville", "PARIS \xE2\x98\x83", false, 2, "(U+2603)"},
        {"query outside Windows-1252, department", "dravelin", "departement", "7\xE2\x80\x8B", false, 2, "(U+200B)"},
        {"query that is not UTF-8", "dravelin", "nom", "L\xC9VY", false, 2, "(U+FFFD)"},
        {"overseas department of four digits", "dravelin", "departement", "9710", false, 2,
         "Attention 2 caracteres pour le d\xC3\xA9partement"},
        // The option comes first or not at all.
        {"option in the place of the criterion", "dravelin", "--utf8", "PARIS", false, 2, "--utf8"},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.name);
        // A stored substitution byte, which a refused character must not match.
        Folder folder(failure.folder, crlfLines({"Base Rev 255  du 11/08/2009", "F1A;L\x1AVY;A;B;PARIS \x1A;75001"}));
        if (failure.missingFile)
            fs::remove(directoryFilePath(folder.path));
        const Finished run = recherche(folder, {folder.file(), failure.criterion, failure.query});
        EXPECT_EQ(run.status, failure.status);
        EXPECT_NE(run.err.find(failure.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(DravelinRecherche, WrongArgumentsShowTheUsage)
{
    Folder folder("dravelin", crlfLines({"Base Rev 255  du 11/08/2009", "F3C;Q;R;S;PARIS;75001"}));
    const std::vector<std::vector<std::string>> argumentLists = {
        {},
        {folder.file(), "ville"},
        {"--utf8", folder.file(), "ville"},
        // The option comes first or not at all.
        {folder.file(), "ville", "PARIS", "--utf8"},
        {"--utf8", "--utf8", folder.file(), "ville", "PARIS"},
    };
    for (const std::vector<std::string>& arguments : argumentLists) {
        SCOPED_TRACE(arguments.size());
        const Finished run = recherche(folder, arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("Usage : dravelin-recherche [--utf8] FICHIER"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

#ifdef __linux__

TEST(DravelinRecherche, OutputThatCannotBeWrittenIsAFailure)
{
    // Far more than the C library buffers, so that writes fail before the final flush.
    Folder folder("dravelin", tools::makeDirectory(20000));
    const fs::path errorFile = folder.root.path() / "error-output";
    test::ChildProcess child(DRAVELIN_RECHERCHE, {folder.file(), "departement", "00"}, "/dev/full", errorFile);
    ASSERT_TRUE(child.started()) << child.startError();
    EXPECT_EQ(child.wait(), 1);
    EXPECT_NE(test::readBytes(errorFile).find("n'a pas pu \xC3\xAAtre \xC3\xA9"
                                              "crit"),
              std::string::npos)
        << test::readBytes(errorFile);
}

#endif

} // namespace
} // namespace dravelin
