// dravelin-recherche FILE CRITERE REQUETE
// Prints the result lines of one search in list order, as Windows-1252 with CR LF (as a
// text save writes them), then the count line. Exit status: 0 done, 1 file problem or output
// lost, 2 rejected query or wrong arguments.
//
// Plain C++: on Linux the arguments are bytes, the query UTF-8 and the file name used as it
// is, whatever its encoding; on Windows they come as UTF-16 and the file name stays UTF-16.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/standard_streams.h"
#include "database/query_rules.h"
#include "database/search.h"
#include "database/unicode_text.h"

namespace {

using dravelin::Criterion;

int fail(int status, const std::string& message)
{
    dravelin::cli::printMessage(message);
    return status;
}

std::optional<Criterion> criterionNamed(const std::string& name)
{
    if (name == "indicatif")
        return Criterion::Callsign;
    if (name == "nom")
        return Criterion::Surname;
    if (name == "ville")
        return Criterion::City;
    if (name == "departement")
        return Criterion::Department;
    return std::nullopt;
}

std::string codePoint(char32_t character)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(character));
    return text;
}

// `fileShown`, `criterionName` and the messages are UTF-8; `query` is the query's characters.
int search(const std::filesystem::path& file, const std::string& fileShown, const std::string& criterionName,
           const std::u32string& query)
{
    const std::optional<Criterion> criterion = criterionNamed(criterionName);
    if (!criterion)
        return fail(2, "Critère inconnu « " + criterionName + " » : indicatif, nom, ville ou departement.");

    // A character the file cannot hold would become a substitution byte, which could match
    // that byte in a damaged line: such a query finds nothing true, so it is refused.
    char32_t refused = 0;
    const std::optional<std::string> bytes = dravelin::encodeWindows1252(query, &refused);
    if (!bytes)
        return fail(2, "La requête « " + dravelin::encodeUtf8(query) + " » contient un caractère que l'annuaire ne "
                       "peut pas contenir (" + codePoint(refused) + ") : le fichier est en Windows-1252.");
    const std::string_view rejection = dravelin::queryRejection(*criterion, *bytes);
    if (!rejection.empty())
        return fail(2, std::string(rejection));

    dravelin::ResultRows found;
    switch (dravelin::searchDirectoryFile(file, *criterion, *bytes, found)) {
    case dravelin::FileProblem::None:
        break;
    case dravelin::FileProblem::Missing:
        return fail(1, "Fichier introuvable : " + fileShown);
    case dravelin::FileProblem::NotRegular:
        return fail(1, "Pas un fichier ordinaire : " + fileShown);
    case dravelin::FileProblem::NotReadable:
        return fail(1, "Fichier illisible : " + fileShown);
    }

    dravelin::cli::useBinaryOutput();
    bool written = true;
    // Rows in list order lie all over the block of what was read: fetch a few ahead.
    constexpr std::size_t kRowsAhead = 16;
    std::string line;
    for (std::size_t i = 0; i < found.size() && written; ++i) {
        found.prefetch(i + kRowsAhead);
        line.clear();
        found.appendDisplayLine(line, i);
        line += "\r\n";
        written = dravelin::cli::writeOutput(line);
    }
    if (written)
        written = dravelin::cli::writeOutput(" " + std::to_string(found.size()) + " indicatif(s)\r\n");
    if (!dravelin::cli::finishOutput() || !written)
        return fail(1, "Le résultat n'a pas pu être écrit en entier sur la sortie standard (disque plein ou "
                       "sortie fermée ?).");
    return 0;
}

const char* const kUsage = "Usage : dravelin-recherche FICHIER indicatif|nom|ville|departement REQUETE";

} // namespace

#ifdef _WIN32

namespace {

std::u32string characters(const wchar_t* argument)
{
    const std::u16string units(argument, argument + std::wcslen(argument));
    return dravelin::decodeUtf16(units);
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 4)
        return fail(2, kUsage);
    return search(std::filesystem::path(argv[1]), dravelin::encodeUtf8(characters(argv[1])),
                  dravelin::encodeUtf8(characters(argv[2])), characters(argv[3]));
}

#else

int main(int argc, char* argv[])
{
    if (argc != 4)
        return fail(2, kUsage);
    // The file name is kept as the bytes given, which a name written in Latin-1 needs.
    return search(std::filesystem::path(argv[1]), dravelin::utf8ForDisplay(argv[1]),
                  dravelin::utf8ForDisplay(argv[2]), dravelin::decodeUtf8(argv[3]));
}

#endif
