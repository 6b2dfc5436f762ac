#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "database/directory_editor.h"
#include "database/directory_file.h"
#include "database/messages.h"
#include "support/file_faults.h"

namespace dravelin {
namespace {

using test::FailingFileLayer;
using test::FileStep;
using test::readBytes;
using test::TemporaryFolder;
using test::writeBytes;

const std::string kRevision = "Base Rev 255  du 11/08/2009";
const std::string kMartin = "F6ZZZ;MARTIN;Paul;1 rue A;PARIS;75001";
const std::string kDupont = "F1ABC;DUPONT;Jean;12 rue Haute;PARIS;75002";
const std::string kDurand = "F1ABC;DURAND;Luc;5 rue C;NICE;06000";
const std::string kMarked = "F5XYCET INDICATIF EST ATTRIBUE MAIS;N'EST PAS PUBLIABLE;Eve;3 rue D;PARIS;69002";
const std::string kBourg = "F8BRG;BOURG;Marc;2 place D;BOURG EN BRESSE;1000";
const std::string kNew = "F1NEW;NOUVEAU;JEAN;1 RUE B;LYON;69001";
const std::string kChanged = "F1ABC;DUPONT;JEAN;14 RUE BASSE;PARIS;75002";
const std::string kToday = "07/12/2026";

template <class Row>
void printRow(const Row& row, std::ostream* out)
{
    *out << row.name;
}

template <class Row>
std::string rowName(const ::testing::TestParamInfo<Row>& param)
{
    std::string name = param.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

std::string crlfLines(std::initializer_list<std::string> lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// A directory with a line feed alone and an empty line, which every rewrite ends with CR LF.
std::string directory(const std::string& revision = kRevision)
{
    return revision + "\r\n" + kMartin + "\r\n" + kDupont + "\n\r\n" + kDurand + "\r\n" + kMarked + "\r\n" + kBourg +
           "\r\n";
}

TypedEntry typed(const std::string& line)
{
    TypedEntry entry;
    std::size_t field = 0;
    for (const char byte : line) {
        if (byte == ';' && field + 1 < kEntryFieldCount)
            ++field;
        else
            entry[field].bytes += byte;
    }
    return entry;
}

// The editor as the editing window drives it, on a directory file of its own.
struct Session {
    TemporaryFolder folder;
    DirectoryEditor editor;
    FailingFileLayer files;
    std::string selectedLine; // the main window's Ligne_OM
    std::vector<std::string> messages;
    std::vector<int> questions;
    bool answer = true;
    int pendingEventPasses = 0;
    std::function<void()> onPendingEvents;

    explicit Session(const std::string& bytes)
    {
        writeBytes(directoryFilePath(folder.path()), bytes);
        editor.windowLoaded();
    }
    std::string bytes() const { return readBytes(directoryFilePath(folder.path())); }
    DirectoryAccess access()
    {
        DirectoryAccess result;
        result.programFolder = folder.path();
        result.files = &files;
        result.afterFirstLine = [this] {
            ++pendingEventPasses;
            if (onPendingEvents)
                onPendingEvents();
        };
        return result;
    }
    std::vector<std::string> announced; // what screen readers were told of the changes

    EditOutcome told(const EditOutcome& outcome)
    {
        const std::string text = outcomeMessage(outcome);
        if (!text.empty())
            messages.push_back(text);
        if (std::string change = changeAnnouncement(outcome); !change.empty())
            announced.push_back(std::move(change));
        return outcome;
    }
    // The expert display: the key as cut from the result line, and the line selected.
    void show(const std::string& key)
    {
        selectedLine = key + std::string(12 - key.size(), ' ') + "REST OF THE LINE";
        editor.entryShown(key);
    }
    EditOutcome store(const std::string& line) { return told(editor.store(typed(line), access())); }
    EditOutcome remove() { return told(editor.deleteEntry(selectedLine, access())); }
    EditOutcome quit()
    {
        return told(editor.offerRevisionBump(
            kToday,
            [this](int revision) {
                questions.push_back(revision);
                return answer;
            },
            access()));
    }
    EditOutcome step(const std::string& name)
    {
        if (name.rfind("show ", 0) == 0) {
            show(name.substr(5));
            return {};
        }
        if (name.rfind("select ", 0) == 0) {
            selectedLine = name.substr(7);
            return {};
        }
        if (name == "Ajouter")
            return told(editor.startNewEntry());
        if (name == "Modifier")
            return told(editor.startModification());
        if (name == "store changed")
            return store(kChanged);
        if (name == "store new")
            return store(kNew);
        if (name == "Supprimer")
            return remove();
        if (name == "Quitter")
            return quit();
        ADD_FAILURE() << "unknown step " << name;
        return {};
    }
};

const std::string kNothingLoaded =
    "Aucune entrée de l'annuaire n'est chargée dans la fenêtre : choisissez une ligne de la liste et ouvrez-la avec "
    "« Expert » avant « Modifier ».";

struct SequenceRow {
    const char* name;
    std::vector<std::string> steps;
    std::string expected;
    std::vector<std::string> messages;
    bool modified;
    bool pending;
};

void PrintTo(const SequenceRow& row, std::ostream* out)
{
    printRow(row, out);
}

class EditorSequence : public ::testing::TestWithParam<SequenceRow> {};

TEST_P(EditorSequence, ActsOnTheEntryShownAndTellsWhatWentWrong)
{
    const SequenceRow& row = GetParam();
    Session session(directory());
    for (const std::string& name : row.steps)
        session.step(name);
    EXPECT_EQ(session.bytes(), row.expected);
    EXPECT_EQ(session.messages, row.messages);
    EXPECT_EQ(session.editor.modified(), row.modified);
    EXPECT_EQ(session.editor.modificationPending(), row.pending);
    EXPECT_FALSE(session.editor.busy());
    EXPECT_FALSE(std::filesystem::exists(scratchFilePath(session.folder.path())));
}

const std::string kBothChanged = crlfLines({kRevision, kMartin, kChanged, "", kChanged, kMarked, kBourg});
const std::string kDeleted = crlfLines({kRevision, kMartin, "", kMarked, kBourg});

INSTANTIATE_TEST_SUITE_P(
    Editor, EditorSequence,
    ::testing::Values(
        SequenceRow{"delete_every_line_of_the_key", {"show F1ABC", "Supprimer"}, kDeleted, {}, false, false},
        SequenceRow{
            "delete_then_quit_asks_nothing", {"show F1ABC", "Supprimer", "Quitter"}, kDeleted, {}, false, false},
        SequenceRow{"delete_of_a_key_naming_no_line",
                    {"show F5XY", "Supprimer"},
                    directory(),
                    {"Aucune entrée de l'annuaire ne porte l'indicatif « F5XY » : rien n'a été supprimé."},
                    false,
                    false},
        SequenceRow{"modifying_save_of_a_key_naming_no_line",
                    {"show F5XY", "Modifier", "store new"},
                    directory(),
                    {"Aucune entrée de l'annuaire ne porte l'indicatif « F5XY » : l'entrée à modifier n'a pas été "
                     "trouvée et rien n'a été enregistré."},
                    false,
                    true},
        SequenceRow{"delete_with_nothing_shown_uses_the_selected_line",
                    {"select F1ABC       DUPONT", "Supprimer"},
                    kDeleted,
                    {},
                    false,
                    false},
        SequenceRow{"append", {"show F6ZZZ", "Ajouter", "store new"}, directory() + kNew + "\r\n", {}, true, false},
        SequenceRow{"modifying_save_replaces_every_line_then_the_next_appends",
                    {"show F1ABC", "Modifier", "store changed", "store new"},
                    kBothChanged + kNew + "\r\n",
                    {},
                    true,
                    false},
        SequenceRow{"a_line_clicked_after_Modifier",
                    {"show F1ABC", "Modifier", "select F6ZZZ", "store changed"},
                    kBothChanged,
                    {},
                    true,
                    false},
        SequenceRow{"a_line_clicked_before_Modifier",
                    {"show F1ABC", "select F6ZZZ", "Modifier", "store changed"},
                    kBothChanged,
                    {},
                    true,
                    false},
        SequenceRow{"another_entry_shown_after_Modifier_ends_it",
                    {"show F1ABC", "Modifier", "show F6ZZZ"},
                    directory(),
                    {},
                    false,
                    false},
        SequenceRow{"Modifier_after_Ajouter",
                    {"show F1ABC", "Ajouter", "Modifier", "store new"},
                    directory() + kNew + "\r\n",
                    {kNothingLoaded},
                    true,
                    false},
        SequenceRow{"Modifier_after_Supprimer",
                    {"show F1ABC", "Supprimer", "Modifier"},
                    kDeleted,
                    {kNothingLoaded},
                    false,
                    false},
        SequenceRow{
            "Supprimer_after_a_line_clicked", {"show F1ABC", "select F6ZZZ", "Supprimer"}, kDeleted, {}, false, false},
        SequenceRow{"Modifier_after_a_modifying_save",
                    {"show F1ABC", "Modifier", "store changed", "Modifier", "store new"},
                    kBothChanged + kNew + "\r\n",
                    {kNothingLoaded},
                    true,
                    false},
        SequenceRow{"Ajouter_ends_a_pending_modification",
                    {"show F6ZZZ", "Modifier", "Ajouter", "store new"},
                    directory() + kNew + "\r\n",
                    {},
                    true,
                    false},
        SequenceRow{"Supprimer_ends_a_pending_modification",
                    {"show F6ZZZ", "Modifier", "Supprimer", "store new"},
                    crlfLines({kRevision, kDupont, "", kDurand, kMarked, kBourg, kNew}),
                    {},
                    true,
                    false},
        SequenceRow{
            "several_saves_raise_the_revision_by_one",
            {"show F6ZZZ", "Ajouter", "store new", "store new", "Quitter"},
            crlfLines({"Base Rev 256  du 07/12/2026", kMartin, kDupont, "", kDurand, kMarked, kBourg, kNew, kNew}),
            {},
            true,
            false},
        SequenceRow{"quit_without_a_save_asks_nothing", {"show F6ZZZ", "Quitter"}, directory(), {}, false, false}),
    rowName<SequenceRow>);

struct AnnouncementRow {
    const char* name;
    std::vector<std::string> steps;
    std::vector<std::string> announced;
};

void PrintTo(const AnnouncementRow& row, std::ostream* out)
{
    printRow(row, out);
}

class EditorAnnouncements : public ::testing::TestWithParam<AnnouncementRow> {};

TEST_P(EditorAnnouncements, EachChangeIsToldInAFewWordsAndNothingElse)
{
    const AnnouncementRow& row = GetParam();
    Session session(directory());
    for (const std::string& name : row.steps)
        session.step(name);
    EXPECT_EQ(session.announced, row.announced);
}

INSTANTIATE_TEST_SUITE_P(
    Editor, EditorAnnouncements,
    ::testing::Values(AnnouncementRow{"delete", {"show F1ABC", "Supprimer"}, {"Entrée F1ABC supprimée"}},
                      AnnouncementRow{"delete_of_no_line", {"show F5XY", "Supprimer"}, {}},
                      AnnouncementRow{"append_then_bump",
                                      {"show F6ZZZ", "Ajouter", "store new", "Quitter"},
                                      {"Entrée F1NEW enregistrée", "Révision 256 enregistrée"}},
                      AnnouncementRow{"modifying_save_names_the_entry_stored",
                                      {"show F1ABC", "Modifier", "store changed"},
                                      {"Entrée F1ABC enregistrée"}},
                      AnnouncementRow{"refused_or_declined_tells_nothing", {"show F1ABC", "Modifier", "Quitter"}, {}}),
    rowName<AnnouncementRow>);

TEST(Editor, LoadingTheWindowClearsTheFlagAndAPendingModification)
{
    Session session(directory());
    session.step("show F1ABC");
    session.step("Modifier");
    session.store(kChanged);
    session.step("show F6ZZZ");
    session.step("Modifier");
    ASSERT_TRUE(session.editor.modified());
    session.editor.windowLoaded();
    EXPECT_FALSE(session.editor.modified());
    EXPECT_FALSE(session.editor.modificationPending());
    EXPECT_FALSE(session.editor.shownKey());
    // Nothing shown after the load: Modifier is refused.
    EXPECT_EQ(session.editor.startModification().kind, EditOutcome::Kind::NoEntryShown);
}

struct FieldRow {
    const char* name;
    EntryField field;
    std::string bytes;
    bool storable;
    std::string message;
};

void PrintTo(const FieldRow& row, std::ostream* out)
{
    printRow(row, out);
}

class EditorFields : public ::testing::TestWithParam<FieldRow> {};

TEST_P(EditorFields, StoreChecksEveryFieldAgain)
{
    const FieldRow& row = GetParam();
    Session session(directory());
    session.step("Ajouter");
    TypedEntry entry = typed(kNew);
    entry[static_cast<std::size_t>(row.field)] = {row.bytes, row.storable};
    const EditOutcome outcome = session.told(session.editor.store(entry, session.access()));
    EXPECT_EQ(outcome.kind, EditOutcome::Kind::FieldRefused);
    EXPECT_EQ(session.messages, std::vector<std::string>{row.message});
    EXPECT_EQ(session.bytes(), directory());
    EXPECT_FALSE(session.editor.modified());
}

INSTANTIATE_TEST_SUITE_P(
    Editor, EditorFields,
    ::testing::Values(
        FieldRow{"separator_typed_without_Enter", EntryField::Surname, "NOUVEAU;X", true,
                 "Le caractère « ; » n'est pas permis dans le champ « Nom » : il sépare les champs de l'annuaire."},
        FieldRow{"surname_too_long", EntryField::Surname, std::string(33, 'N'), true, "32 caracteres maxi pour le nom"},
        FieldRow{"postcode_short", EntryField::Postcode, "6900", true, "5 caracteres pour le code postal"},
        FieldRow{"line_break_in_the_city", EntryField::City, "LY\nON", true,
                 "Le champ « Ville » ne peut pas contenir de retour à la ligne."},
        FieldRow{"character_the_file_cannot_hold", EntryField::Surname, "NOUVEAU?", false,
                 "Le champ « Nom » contient un caractère que le fichier de l'annuaire ne peut pas enregistrer."}),
    rowName<FieldRow>);

struct RevisionRow {
    const char* name;
    std::string revision;
    bool yes;
    int asked; // the revision in the question; -1 for none
    std::string newRevision;
    EditOutcome::Kind kind;
};

void PrintTo(const RevisionRow& row, std::ostream* out)
{
    printRow(row, out);
}

class EditorRevision : public ::testing::TestWithParam<RevisionRow> {};

TEST_P(EditorRevision, QuitterOffersTheBump)
{
    const RevisionRow& row = GetParam();
    Session session(directory(row.revision));
    session.step("Ajouter");
    session.store(kNew);
    const std::string saved = session.bytes();
    session.answer = row.yes;
    session.pendingEventPasses = 0;
    const EditOutcome outcome = session.quit();

    EXPECT_EQ(outcome.kind, row.kind);
    EXPECT_EQ(session.questions, row.asked < 0 ? std::vector<int>{} : std::vector<int>{row.asked});
    std::string expected = saved;
    if (row.kind == EditOutcome::Kind::Done) {
        expected = crlfLines({row.newRevision, kMartin, kDupont, "", kDurand, kMarked, kBourg, kNew});
        EXPECT_EQ(outcome.revisionLine, row.newRevision);
    }
    EXPECT_EQ(session.bytes(), expected);
    EXPECT_EQ(session.pendingEventPasses, 0); // the bump makes no pass
    EXPECT_FALSE(std::filesystem::exists(scratchFilePath(session.folder.path())));
}

INSTANTIATE_TEST_SUITE_P(Editor, EditorRevision,
                         ::testing::Values(RevisionRow{"r255_yes", kRevision, true, 255, "Base Rev 256  du 07/12/2026",
                                                       EditOutcome::Kind::Done},
                                           RevisionRow{"r009_yes", "Base Rev 009  du 11/08/2009", true, 9,
                                                       "Base Rev 010  du 07/12/2026", EditOutcome::Kind::Done},
                                           RevisionRow{"too_short_yes", "Base Rev", true, 0,
                                                       "Base Rev 001  du 07/12/2026", EditOutcome::Kind::Done},
                                           RevisionRow{"no_digits_yes", "Base Rev xyz  du 11/08/2009", true, 0,
                                                       "Base Rev 001  du 07/12/2026", EditOutcome::Kind::Done},
                                           RevisionRow{"r998_yes", "Base Rev 998  du 11/08/2009", true, 998,
                                                       "Base Rev 999  du 07/12/2026", EditOutcome::Kind::Done},
                                           RevisionRow{"r255_no", kRevision, false, 255, "",
                                                       EditOutcome::Kind::Declined},
                                           RevisionRow{"r999_never_four_digits", "Base Rev 999  du 11/08/2009", true,
                                                       -1, "", EditOutcome::Kind::RevisionLimit}),
                         rowName<RevisionRow>);

TEST(Editor, TheQuestionAndTheLimitAreWordedAsTheWindowShowsThem)
{
    EXPECT_EQ(revisionQuestion(9), "La base de donnée est a la révision 9 voulez vous la passer a la révision  10");
    EXPECT_EQ(revisionLimitMessage(999),
              "La base de donnée est a la révision 999, la dernière que le fichier peut noter sur trois chiffres : la "
              "révision ne peut pas être augmentée.\r\nLa ligne de révision du fichier de l'annuaire n'a pas été "
              "changée ; les entrées déjà enregistrées ne sont pas annulées.");
}

struct FailureRow {
    const char* name;
    std::string operation; // delete, modify, bump, append
    FileStep step;
    std::string message;
};

void PrintTo(const FailureRow& row, std::ostream* out)
{
    printRow(row, out);
}

class EditorFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(EditorFailure, IsToldAndLeavesTheFileAndTheStateAsTheyWere)
{
    const FailureRow& row = GetParam();
    Session session(directory());
    session.show("F1ABC");
    if (row.operation == "bump") {
        session.step("Ajouter");
        session.store(kNew);
    } else if (row.operation == "modify") {
        session.step("Modifier");
    } else if (row.operation == "append") {
        session.step("Ajouter");
    }
    const std::string before = session.bytes();
    const bool modifiedBefore = session.editor.modified();
    const bool pendingBefore = session.editor.modificationPending();
    session.files.failing = {row.step};

    const EditOutcome outcome = row.operation == "delete" ? session.remove()
                                : row.operation == "bump" ? session.quit()
                                                          : session.store(kNew);
    EXPECT_EQ(outcome.kind, EditOutcome::Kind::WriteRefused);
    EXPECT_FALSE(session.files.steps.empty()); // the step was reached
    EXPECT_EQ(session.messages, std::vector<std::string>{row.message});
    EXPECT_EQ(session.bytes(), before);
    EXPECT_FALSE(std::filesystem::exists(scratchFilePath(session.folder.path())));
    EXPECT_EQ(session.editor.modified(), modifiedBefore);
    EXPECT_EQ(session.editor.modificationPending(), pendingBefore);
    EXPECT_FALSE(session.editor.busy());

    // Once the cause is gone, the same operation succeeds.
    session.files.failing.clear();
    const EditOutcome again = row.operation == "delete" ? session.remove()
                              : row.operation == "bump" ? session.quit()
                                                        : session.store(kNew);
    EXPECT_TRUE(again.done());
    EXPECT_NE(session.bytes(), before);
}

const std::string kUnchanged = "\r\nLe fichier de l'annuaire est resté tel qu'il était.";
const std::string kScratchNotCreated =
    "Le fichier de travail « Temporaire.txt » ne peut pas être créé dans le dossier de l'annuaire.\r\n";
const std::string kScratchNotWritten =
    "Le fichier de travail « Temporaire.txt » n'a pas pu être écrit en entier (disque plein ?).\r\n";
const std::string kNotReplaced =
    "Le fichier de l'annuaire « Annuaire_Amat.csv » n'a pas pu être remplacé par sa nouvelle version.\r\n";
const std::string kNotOpened =
    "Le fichier de l'annuaire « Annuaire_Amat.csv » ne peut pas être ouvert en écriture.\r\n";
const std::string kNotAppended =
    "L'entrée n'a pas pu être écrite à la fin du fichier de l'annuaire « Annuaire_Amat.csv » (disque plein ?).\r\n";
const std::string kPermissionsNotKept = "Le fichier de travail « Temporaire.txt » ne peut pas recevoir les droits "
                                        "d'accès du fichier de l'annuaire « Annuaire_Amat.csv ».\r\n";
const std::string kNotSaved = "L'entrée n'a pas été enregistrée.";
const std::string kNotDeleted = "Rien n'a été supprimé.";
const std::string kNotRaised = "La révision de la base n'a pas été changée.";

std::vector<FailureRow> failureRows()
{
    std::vector<FailureRow> rows = {
        {"append_open", "append", FileStep::OpenForAppend, kNotOpened + kNotSaved + kUnchanged},
        {"append_write", "append", FileStep::Write, kNotAppended + kNotSaved + kUnchanged},
        {"append_flush", "append", FileStep::Flush, kNotAppended + kNotSaved + kUnchanged},
    };
    const std::pair<FileStep, std::string> rewriteSteps[] = {{FileStep::Create, kScratchNotCreated},
                                                             {FileStep::Permissions, kPermissionsNotKept},
                                                             {FileStep::Write, kScratchNotWritten},
                                                             {FileStep::Flush, kScratchNotWritten},
                                                             {FileStep::Replace, kNotReplaced}};
    static std::vector<std::string> names;
    names.reserve(20);
    for (const auto& [step, cause] : rewriteSteps) {
        for (const char* operation : {"delete", "modify", "bump"}) {
            names.push_back(std::string(operation) + "_" + test::stepName(step));
            const std::string& notDone = std::string(operation) == "delete"   ? kNotDeleted
                                         : std::string(operation) == "modify" ? kNotSaved
                                                                              : kNotRaised;
            rows.push_back({names.back().c_str(), operation, step, cause + notDone + kUnchanged});
        }
    }
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Editor, EditorFailure, ::testing::ValuesIn(failureRows()), rowName<FailureRow>);

TEST(Editor, AScratchFileBesideALinkedListIsNamedAsItIsNamed)
{
    Session session(directory());
    const test::TemporaryFolder elsewhere;
    const std::filesystem::path list = elsewhere.path() / "liste.csv";
    writeBytes(list, directory());
    std::filesystem::remove(directoryFilePath(session.folder.path()));
    std::error_code error;
    std::filesystem::create_symlink(list, directoryFilePath(session.folder.path()), error);
    if (error)
        GTEST_SKIP() << "this system makes no symbolic link here";
    session.show("F1ABC");
    session.files.failing = {FileStep::Create};
    session.remove();
    EXPECT_EQ(session.messages,
              std::vector<std::string>{"Le fichier de travail « .liste.csv.XXXXXX.tmp » ne peut pas être créé dans le "
                                       "dossier de l'annuaire.\r\n" +
                                       kNotDeleted + kUnchanged});
    EXPECT_EQ(readBytes(list), directory());
}

TEST(Editor, AMissingDirectoryFileIsNotCreatedByAStore)
{
    Session session(directory());
    session.step("Ajouter");
    std::filesystem::remove(directoryFilePath(session.folder.path()));
    session.store(kNew);
    EXPECT_EQ(session.messages,
              std::vector<std::string>{"Le fichier de l'annuaire « Annuaire_Amat.csv » est introuvable dans le dossier "
                                       "du programme.\r\nL'entrée n'a pas été enregistrée."});
    EXPECT_FALSE(std::filesystem::exists(directoryFilePath(session.folder.path())));
    EXPECT_FALSE(session.editor.modified());
}

struct BusyRow {
    const char* name;
    std::string meanwhile;
};

void PrintTo(const BusyRow& row, std::ostream* out)
{
    printRow(row, out);
}

class EditorBusy : public ::testing::TestWithParam<BusyRow> {};

// A rewrite lets pending events run once: whatever they ask of the editor then does nothing.
TEST_P(EditorBusy, NoSecondOperationStartsDuringThePass)
{
    const BusyRow& row = GetParam();
    Session session(directory());
    session.show("F1ABC");
    session.editor.setModified(true); // so that a Quitter would rewrite
    EditOutcome meanwhile;
    bool acted = false;
    session.onPendingEvents = [&] {
        if (acted)
            return;
        acted = true;
        if (row.meanwhile == "Supprimer")
            meanwhile = session.remove();
        else if (row.meanwhile == "Enregistrer")
            meanwhile = session.store(kNew);
        else if (row.meanwhile == "Quitter")
            meanwhile = session.quit();
        else if (row.meanwhile == "Ajouter")
            meanwhile = session.editor.startNewEntry();
        else if (row.meanwhile == "Modifier")
            meanwhile = session.editor.startModification();
        else if (row.meanwhile == "Expert")
            meanwhile.kind =
                session.editor.lookUp("F6ZZZ", session.access()) ? EditOutcome::Kind::Done : EditOutcome::Kind::Busy;
        else if (row.meanwhile == "Operation")
            meanwhile.kind = DirectoryEditor::Operation(session.editor).started() ? EditOutcome::Kind::Done
                                                                                  : EditOutcome::Kind::Busy;
    };
    EXPECT_TRUE(session.remove().done());
    EXPECT_EQ(session.pendingEventPasses, 1);
    EXPECT_EQ(meanwhile.kind, EditOutcome::Kind::Busy);
    EXPECT_TRUE(session.messages.empty());
    EXPECT_TRUE(session.questions.empty());
    EXPECT_EQ(session.bytes(), kDeleted);
    EXPECT_FALSE(session.editor.busy());
    EXPECT_FALSE(session.editor.modificationPending());
}

INSTANTIATE_TEST_SUITE_P(Editor, EditorBusy,
                         ::testing::Values(BusyRow{"Supprimer", "Supprimer"}, BusyRow{"Enregistrer", "Enregistrer"},
                                           BusyRow{"Quitter", "Quitter"}, BusyRow{"Ajouter", "Ajouter"},
                                           BusyRow{"Modifier", "Modifier"}, BusyRow{"Expert", "Expert"},
                                           BusyRow{"search", "Operation"}),
                         rowName<BusyRow>);

} // namespace
} // namespace dravelin
