#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "database/directory_editor.h"
#include "database/directory_file.h"
#include "support/child_process.h"
#include "support/file_faults.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;
using test::Finished;
using test::readBytes;
using test::TemporaryFolder;
using test::writeBytes;

#ifdef _WIN32
const std::string kLineEnd = "\r\n"; // the text mode of a Windows program
#else
const std::string kLineEnd = "\n";
#endif

std::string crlfLines(std::initializer_list<std::string> lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

const std::string kRevision = "Base Rev 255  du 11/08/2009";
const std::string kMartin = "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001";
const std::string kDupont = "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002";
const std::string kDurand = "F1ABC;DURAND;Luc;5 rue C;NICE;06000";
const std::string kMarked = "F5XYCET INDICATIF EST ATTRIBUE MAIS;N'EST PAS PUBLIABLE;Eve;3 rue D;PARIS;69002";
const std::string kLevy = "F4XYZ;L\xC9VY;H\xE9l\xE8ne;;\xC9VREUX;27000";

// Every kind of line a change must carry over: a lone LF, an empty line, a callsign in small
// letters, an orange-list entry, letters beyond ASCII.
std::string directory(const std::string& revision = kRevision)
{
    return revision + "\r\n" + kMartin + "\r\n" + kDupont + "\n\r\n" + kDurand + "\r\n" + kMarked + "\r\n" +
           "f6zzz;minuscule;x;y;PARIS;75003\r\n" + kLevy + "\r\n";
}

// A folder holding a directory file, for the command or for the window's editor.
struct Folder {
    TemporaryFolder root;
    fs::path path;
    explicit Folder(const std::string& bytes, const fs::path& name = "dravelin") : path(root.path() / name)
    {
        fs::create_directories(path);
        writeBytes(directoryFilePath(path), bytes);
    }
    fs::path file() const { return directoryFilePath(path); }
    std::string bytes() const { return readBytes(file()); }
};

Finished annuaire(const Folder& folder, std::vector<std::string> arguments, const fs::path& file = {})
{
    arguments.insert(arguments.begin(), (file.empty() ? folder.file() : file).u8string());
    return test::runToEnd(DRAVELIN_ANNUAIRE, arguments, folder.root.path());
}

TypedEntry entryOf(const std::vector<std::string>& fields)
{
    TypedEntry entry;
    for (std::size_t i = 0; i < kEntryFieldCount; ++i)
        entry[i].bytes = fields[i];
    return entry;
}

// The editing window's way to the same change, through the same editor: the expert display
// puts the entry in the window, then the buttons.
using WindowSteps = std::function<EditOutcome(DirectoryEditor& editor, const DirectoryAccess& access)>;

WindowSteps windowAppends(std::vector<std::string> fields)
{
    return [fields](DirectoryEditor& editor, const DirectoryAccess& access) {
        editor.startNewEntry();
        return editor.store(entryOf(fields), access);
    };
}

WindowSteps windowModifies(std::string key, std::vector<std::string> fields)
{
    return [key, fields](DirectoryEditor& editor, const DirectoryAccess& access) {
        editor.entryShown(key);
        editor.startModification();
        return editor.store(entryOf(fields), access);
    };
}

WindowSteps windowDeletes(std::string key)
{
    return [key](DirectoryEditor& editor, const DirectoryAccess& access) {
        editor.entryShown(key);
        return editor.deleteEntry({}, access);
    };
}

// Quitter after a save, and Oui, on a day whose short date is `date`.
WindowSteps windowRaises(std::string date)
{
    return [date](DirectoryEditor& editor, const DirectoryAccess& access) {
        editor.setModified(true);
        return editor.offerRevisionBump(
            date, [](int) { return true; }, access);
    };
}

struct Operation {
    const char* name;
    std::string directory;
    std::vector<std::string> arguments; // UTF-8, after FICHIER
    WindowSteps window;
    int status;
    std::string said; // the line on the standard output (status 0) or a part of the error output
};

class DravelinAnnuaire : public ::testing::TestWithParam<Operation> {};

void PrintTo(const Operation& operation, std::ostream* out)
{
    *out << operation.name;
}

TEST_P(DravelinAnnuaire, WritesWhatTheWindowWritesAndRefusesLeavingTheFileAsItWas)
{
    const Operation& operation = GetParam();
    Folder command(operation.directory);
    const Finished run = annuaire(command, operation.arguments);
    EXPECT_EQ(run.status, operation.status) << run.err;

    if (operation.window) {
        Folder window(operation.directory);
        DirectoryEditor editor;
        editor.windowLoaded();
        DirectoryAccess access;
        access.programFolder = window.path;
        const EditOutcome outcome = operation.window(editor, access);
        EXPECT_EQ(outcome.done(), operation.status == 0);
        EXPECT_EQ(command.bytes(), window.bytes());
    }
    if (operation.status == 0) {
        EXPECT_NE(command.bytes(), operation.directory);
        EXPECT_EQ(run.out, operation.said + kLineEnd);
        EXPECT_EQ(run.err, "");
    } else {
        EXPECT_EQ(command.bytes(), operation.directory); // byte for byte
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(operation.said), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(scratchFilePath(command.path)));
    EXPECT_FALSE(fs::exists(lockFilePath(command.path)));
}

const std::vector<std::string> kNewFields = {"F1NEW", "NOUVEAU", "Jean", "1 rue B", "LYON", "69001"};
const std::vector<std::string> kNewArguments = {"ajouter", "F1NEW", "NOUVEAU", "Jean", "1 rue B", "LYON", "69001"};

std::vector<std::string> with(std::vector<std::string> arguments, std::size_t at, std::string value)
{
    arguments[at] = std::move(value);
    return arguments;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, DravelinAnnuaire,
    ::testing::Values(
        // Done: the window's bytes, one line on the standard output.
        Operation{"append", directory(), kNewArguments, windowAppends(kNewFields), 0,
                  "Entr\xC3\xA9"
                  "e ajout\xC3\xA9"
                  "e \xC3\xA0 la fin de l'annuaire : l'indicatif \xC2\xAB F1NEW \xC2\xBB."},
        Operation{"append taken as given, accents in Windows-1252",
                  directory(),
                  {"ajouter", "f1new", "L\xC3\xA9vy", "H\xC3\xA9l\xC3\xA8ne", "", "\xC3\x89VREUX", "27000"},
                  windowAppends({"f1new", "L\xE9vy", "H\xE9l\xE8ne", "", "\xC9VREUX", "27000"}),
                  0,
                  "Entr\xC3\xA9"
                  "e ajout\xC3\xA9"
                  "e \xC3\xA0 la fin de l'annuaire : l'indicatif \xC2\xAB f1new \xC2\xBB."},
        Operation{"append after a last line without line end", crlfLines({kRevision}) + kMartin, kNewArguments,
                  windowAppends(kNewFields), 0,
                  "Entr\xC3\xA9"
                  "e ajout\xC3\xA9"
                  "e \xC3\xA0 la fin de l'annuaire : l'indicatif \xC2\xAB F1NEW \xC2\xBB."},
        Operation{"modify every line of the key, renamed",
                  directory(),
                  {"modifier", "F1ABC", "F1NEW", "NOUVEAU", "Jean", "1 rue B", "LYON", "69001"},
                  windowModifies("F1ABC", kNewFields),
                  0,
                  "Entr\xC3\xA9"
                  "e de l'indicatif \xC2\xAB F1ABC \xC2\xBB remplac\xC3\xA9"
                  "e par celle de l'indicatif "
                  "\xC2\xAB F1NEW \xC2\xBB (2 lignes)."},
        Operation{"modify matches small letters exactly",
                  directory(),
                  {"modifier", "f6zzz", "F6ZZZ", "MARTIN", "Paul", "1 rue A", "PARIS", "75003"},
                  windowModifies("f6zzz", {"F6ZZZ", "MARTIN", "Paul", "1 rue A", "PARIS", "75003"}),
                  0,
                  "Entr\xC3\xA9"
                  "e de l'indicatif \xC2\xAB f6zzz \xC2\xBB remplac\xC3\xA9"
                  "e par celle de l'indicatif "
                  "\xC2\xAB F6ZZZ \xC2\xBB (1 ligne)."},
        Operation{"delete every line of the key",
                  directory(),
                  {"supprimer", "F1ABC"},
                  windowDeletes("F1ABC"),
                  0,
                  "Entr\xC3\xA9"
                  "e de l'indicatif \xC2\xAB F1ABC \xC2\xBB supprim\xC3\xA9"
                  "e (2 lignes)."},
        Operation{"delete an entry with accents",
                  directory(),
                  {"supprimer", "F4XYZ"},
                  windowDeletes("F4XYZ"),
                  0,
                  "Entr\xC3\xA9"
                  "e de l'indicatif \xC2\xAB F4XYZ \xC2\xBB supprim\xC3\xA9"
                  "e (1 ligne)."},
        Operation{"raise the revision",
                  directory(),
                  {"reviser", "07/12/2026"},
                  windowRaises("07/12/2026"),
                  0,
                  "R\xC3\xA9vision de la base pass\xC3\xA9"
                  "e de 255 \xC3\xA0 256, dat\xC3\xA9"
                  "e du 07/12/2026."},
        Operation{"raise a revision without digits",
                  directory("Base Rev"),
                  {"reviser", "01/01/2027"},
                  windowRaises("01/01/2027"),
                  0,
                  "R\xC3\xA9vision de la base pass\xC3\xA9"
                  "e de 0 \xC3\xA0 1, dat\xC3\xA9"
                  "e du 01/01/2027."},
        // Status 1: the file, the entry or the revision stand in the way.
        Operation{"delete of a key naming no line",
                  directory(),
                  {"supprimer", "F5XY"},
                  windowDeletes("F5XY"),
                  1,
                  "Aucune entr\xC3\xA9"
                  "e de l'annuaire ne porte l'indicatif \xC2\xAB F5XY \xC2\xBB : rien n'a "
                  "\xC3\xA9t\xC3\xA9 supprim\xC3\xA9."},
        Operation{"modify of a key naming no line",
                  directory(),
                  {"modifier", "F9NONE", "F1NEW", "NOUVEAU", "Jean", "1 rue B", "LYON", "69001"},
                  windowModifies("F9NONE", kNewFields),
                  1,
                  "l'entr\xC3\xA9"
                  "e \xC3\xA0 modifier n'a pas \xC3\xA9t\xC3\xA9 trouv\xC3\xA9"
                  "e"},
        Operation{"revision 999",
                  directory("Base Rev 999  du 11/08/2009"),
                  {"reviser", "07/12/2026"},
                  windowRaises("07/12/2026"),
                  1,
                  "la r\xC3\xA9vision ne peut pas \xC3\xAAtre augment\xC3\xA9"
                  "e."},
        Operation{"empty file", "", kNewArguments, windowAppends(kNewFields), 1, "sa ligne de r\xC3\xA9vision manque"},
        Operation{"empty file, revision",
                  "",
                  {"reviser", "07/12/2026"},
                  windowRaises("07/12/2026"),
                  1,
                  "sa ligne de r\xC3\xA9vision manque"},
        // Status 2: refused input, the window's field rules included.
        Operation{"no operation", directory(), {}, {}, 2, "Usage : dravelin-annuaire"},
        Operation{"unknown operation", directory(), {"effacer", "F1ABC"}, {}, 2, "Usage : dravelin-annuaire"},
        Operation{"too few fields", directory(), {"ajouter", "F1NEW", "NOUVEAU"}, {}, 2, "Usage : dravelin-annuaire"},
        Operation{"too many arguments", directory(), {"supprimer", "F1ABC", "F6ZZZ"}, {}, 2, "Usage"},
        Operation{"callsign too long",
                  directory(),
                  with(kNewArguments, 1, "F1ABCDEFGHIJK"),
                  {},
                  2,
                  "12 caracteres maxi pour l'indicatif"},
        Operation{"surname too long",
                  directory(),
                  with(kNewArguments, 2, std::string(33, 'N')),
                  {},
                  2,
                  "32 caracteres maxi pour le nom"},
        Operation{"postcode of four characters",
                  directory(),
                  with(kNewArguments, 6, "6900"),
                  {},
                  2,
                  "5 caracteres pour le code postal"},
        Operation{"separator in a field",
                  directory(),
                  with(kNewArguments, 4, "1 rue B;C"),
                  {},
                  2,
                  "\xC2\xAB ; \xC2\xBB n'est pas permis dans le champ \xC2\xAB Adresse \xC2\xBB"},
        Operation{"line break in a field",
                  directory(),
                  with(kNewArguments, 5, "LY\nON"),
                  {},
                  2,
                  "ne peut pas contenir de retour \xC3\xA0 la ligne"},
        Operation{"character beyond Windows-1252",
                  directory(),
                  with(kNewArguments, 3, "J\xE2\x98\x83"),
                  {},
                  2,
                  "Le champ \xC2\xAB Prenom \xC2\xBB contient un caract\xC3\xA8re"},
        Operation{"bytes that are not UTF-8",
                  directory(),
                  with(kNewArguments, 2, "L\xC9VY"),
                  {},
                  2,
                  "Le champ \xC2\xAB Nom \xC2\xBB contient un caract\xC3\xA8re"},
        Operation{
            "key too long", directory(), {"supprimer", "F1ABCDEFGHIJK"}, {}, 2, "12 caracteres maxi pour l'indicatif"},
        Operation{"key with a separator", directory(), {"supprimer", "F1ABC;DUPONT"}, {}, 2, "n'est pas permis"},
        Operation{"date without leading zeros",
                  directory(),
                  {"reviser", "7/12/2026"},
                  {},
                  2,
                  "n'est pas de la forme JJ/MM/AAAA"},
        Operation{"date with dashes", directory(), {"reviser", "07-12-2026"}, {}, 2, "JJ/MM/AAAA"},
        Operation{"date with month 13", directory(), {"reviser", "07/13/2026"}, {}, 2, "JJ/MM/AAAA"},
        Operation{"date with day 00", directory(), {"reviser", "00/12/2026"}, {}, 2, "JJ/MM/AAAA"}),
    [](const ::testing::TestParamInfo<Operation>& row) {
        std::string name = row.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(DravelinAnnuaireFile, AMissingFileIsNotCreated)
{
    Folder folder(directory());
    fs::remove(folder.file());
    const Finished run = annuaire(folder, kNewArguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("est introuvable dans le dossier du programme"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folder.file()));
}

TEST(DravelinAnnuaireFile, AFileOfAnotherNameIsRefusedUntouched)
{
    Folder folder(directory());
    const fs::path other = folder.path / "liste.csv";
    writeBytes(other, directory());
    const Finished run = annuaire(folder, {"supprimer", "F1ABC"}, other);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("doit s'appeler"), std::string::npos) << run.err;
    EXPECT_EQ(readBytes(other), directory());
    EXPECT_EQ(folder.bytes(), directory());
}

TEST(DravelinAnnuaireFile, AFileMarkedReadOnlyIsRefusedUntouched)
{
    Folder folder(directory());
    test::ReadOnlyGuard readOnly(folder.file(), false);
    const Finished run = annuaire(folder, {"supprimer", "F1ABC"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("est prot\xC3\xA9g\xC3\xA9 en \xC3\xA9"
                           "criture"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(folder.bytes(), directory());
}

TEST(DravelinAnnuaireFile, WorksInAFolderNamedBeyondWindows1252)
{
    Folder folder(directory(), fs::u8path("\xC5\x81\xC3\xB3"
                                          "d\xC5\xBA \xCE\xA9"));
    const Finished run = annuaire(folder, {"supprimer", "F1ABC"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(folder.bytes(), crlfLines({kRevision, kMartin, "", kMarked, "f6zzz;minuscule;x;y;PARIS;75003", kLevy}));
}

} // namespace
} // namespace dravelin
