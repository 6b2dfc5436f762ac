// dravelin-annuaire FICHIER OPERATION ...
// Changes the directory file as the editing window does, for whoever maintains it by script:
//   ajouter INDICATIF NOM PRENOM ADRESSE VILLE CODE_POSTAL
//   modifier INDICATIF NOUVEL_INDICATIF NOM PRENOM ADRESSE VILLE CODE_POSTAL
//   supprimer INDICATIF
//   reviser JJ/MM/AAAA
// The same editor, field rules, lock and rewrite as the window, so the bytes written are the
// window's. Exit status: 0 done (one line on the standard output), 1 file problem, refused
// write, revision 999 or no entry of that callsign, 2 refused input; every refusal leaves the
// file as it was.
//
// Plain C++: on Linux the arguments are bytes, the fields UTF-8 and the file name used as it
// is; on Windows they come as UTF-16 and the file name stays UTF-16.
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/standard_streams.h"
#include "database/directory_editor.h"
#include "database/directory_file.h"
#include "database/messages.h"
#include "database/unicode_text.h"

namespace {

using dravelin::EditOutcome;
using dravelin::EntryField;
using dravelin::TypedField;

const char* const kUsage =
    "Usage : dravelin-annuaire FICHIER ajouter INDICATIF NOM PRENOM ADRESSE VILLE CODE_POSTAL\n"
    "        dravelin-annuaire FICHIER modifier INDICATIF NOUVEL_INDICATIF NOM PRENOM ADRESSE VILLE CODE_POSTAL\n"
    "        dravelin-annuaire FICHIER supprimer INDICATIF\n"
    "        dravelin-annuaire FICHIER reviser JJ/MM/AAAA";

// One argument: its characters, and the file name as the system gave it.
struct Argument {
    std::u32string characters;
    std::filesystem::path path;
    std::string shown; // UTF-8, for messages
};

int fail(int status, std::string message)
{
    // A message box breaks its lines with CR LF; a terminal wants LF alone.
    for (std::size_t at = message.find("\r\n"); at != std::string::npos; at = message.find("\r\n", at))
        message.erase(at, 1);
    dravelin::cli::printMessage(message);
    return status;
}

// The field's Windows-1252 bytes, taken as given: no capitals, nothing trimmed. A character
// without a byte stands as "?" for the length rule and makes the field unstorable.
TypedField typedField(const std::u32string& characters)
{
    TypedField field;
    for (const char32_t character : characters) {
        if (const std::optional<unsigned char> byte = dravelin::windows1252Byte(character)) {
            field.bytes += static_cast<char>(*byte);
        } else {
            field.bytes += '?';
            field.storable = false;
        }
    }
    return field;
}

// JJ/MM/AAAA with a day and a month that exist in some year.
bool isDate(const std::u32string& text)
{
    if (text.size() != 10 || text[2] != U'/' || text[5] != U'/')
        return false;
    for (const std::size_t at : {0, 1, 3, 4, 6, 7, 8, 9})
        if (text[at] < U'0' || text[at] > U'9')
            return false;
    const int day = static_cast<int>((text[0] - U'0') * 10 + (text[1] - U'0'));
    const int month = static_cast<int>((text[3] - U'0') * 10 + (text[4] - U'0'));
    return day >= 1 && day <= 31 && month >= 1 && month <= 12;
}

int finished(const EditOutcome& outcome, const std::string& doneLine)
{
    switch (outcome.kind) {
    case EditOutcome::Kind::Done:
        return dravelin::cli::printResult(doneLine) ? 0 : 1;
    case EditOutcome::Kind::FieldRefused:
        return fail(2, dravelin::outcomeMessage(outcome));
    case EditOutcome::Kind::RevisionLimit:
        return fail(1, dravelin::revisionLimitCommandMessage(outcome.revision));
    default:
        return fail(1, dravelin::outcomeMessage(outcome));
    }
}

int run(const std::vector<Argument>& arguments)
{
    if (arguments.size() < 2)
        return fail(2, kUsage);
    const Argument& file = arguments[0];
    const std::string operation = dravelin::encodeUtf8(arguments[1].characters);
    const std::size_t count = arguments.size() - 2;
    const bool known = (operation == "ajouter" && count == 6) || (operation == "modifier" && count == 7) ||
                       (operation == "supprimer" && count == 1) || (operation == "reviser" && count == 1);
    if (!known)
        return fail(2, kUsage);

    // The lock and the scratch file that keep the window and this command from meeting are
    // named after the directory file, beside it.
    if (file.path.filename() != dravelin::kDirectoryFileName)
        return fail(2, "Le fichier de l'annuaire doit s'appeler « " + std::string(dravelin::kDirectoryFileName) +
                           " » : " + file.shown);
    dravelin::DirectoryAccess access;
    access.programFolder = file.path.parent_path().empty() ? std::filesystem::path(".") : file.path.parent_path();

    dravelin::DirectoryEditor editor;
    editor.windowLoaded();
    if (operation == "reviser") {
        if (!isDate(arguments[2].characters))
            return fail(2, "La date « " + dravelin::encodeUtf8(arguments[2].characters) +
                               " » n'est pas de la forme JJ/MM/AAAA.");
        const std::string date = typedField(arguments[2].characters).bytes;
        const EditOutcome outcome = editor.raiseRevision(date, {}, access);
        return finished(outcome, dravelin::revisionRaisedMessage(outcome.revision, outcome.revision + 1, date));
    }

    // The entry key is matched exactly against the first field, as the window's key is.
    std::string key;
    if (operation != "ajouter") {
        const TypedField typedKey = typedField(arguments[2].characters);
        if (const std::optional<EditOutcome> refusal = dravelin::fieldRefusal(EntryField::Callsign, typedKey))
            return finished(*refusal, {});
        key = typedKey.bytes;
        editor.entryShown(key);
    }
    if (operation == "supprimer") {
        const EditOutcome outcome = editor.deleteEntry({}, access);
        return finished(outcome, dravelin::entryDeletedMessage(key, outcome.changedLines));
    }

    const std::size_t first = operation == "ajouter" ? 2 : 3;
    dravelin::TypedEntry entry;
    for (std::size_t i = 0; i < dravelin::kEntryFieldCount; ++i)
        entry[i] = typedField(arguments[first + i].characters);
    const EditOutcome started = operation == "ajouter" ? editor.startNewEntry() : editor.startModification();
    if (!started.done())
        return finished(started, {});
    const EditOutcome outcome = editor.store(entry, access);
    return finished(outcome, operation == "ajouter"
                                 ? dravelin::entryAddedMessage(entry[0].bytes)
                                 : dravelin::entryReplacedMessage(key, entry[0].bytes, outcome.changedLines));
}

} // namespace

#ifdef _WIN32

int wmain(int argc, wchar_t* argv[])
{
    std::vector<Argument> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::u16string units(argv[i], argv[i] + std::wcslen(argv[i]));
        Argument argument;
        argument.characters = dravelin::decodeUtf16(units);
        argument.path = std::filesystem::path(argv[i]);
        argument.shown = dravelin::encodeUtf8(argument.characters);
        arguments.push_back(std::move(argument));
    }
    return run(arguments);
}

#else

int main(int argc, char* argv[])
{
    std::vector<Argument> arguments;
    for (int i = 1; i < argc; ++i) {
        Argument argument;
        argument.characters = dravelin::decodeUtf8(argv[i]);
        // The file name is kept as the bytes given, which a name written in Latin-1 needs.
        argument.path = std::filesystem::path(argv[i]);
        argument.shown = dravelin::utf8ForDisplay(argv[i]);
        arguments.push_back(std::move(argument));
    }
    return run(arguments);
}

#endif
