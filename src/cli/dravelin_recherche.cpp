// dravelin-recherche [--utf8] FILE CRITERE REQUETE
// Prints the result lines of one search in list order, as Windows-1252 with CR LF (as a
// text save writes them), then the count line; with --utf8 the same lines in UTF-8, for a
// terminal. Exit status: 0 done, 1 file problem or output lost, 2 rejected query or wrong
// arguments.
//
// Plain C++: on Linux the arguments are bytes, the query UTF-8 and the file name used as it
// is, whatever its encoding; on Windows they come as UTF-16 and the file name stays UTF-16.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/standard_streams.h"
#include "database/messages.h"
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

// Which bytes the result lines are written in.
enum class Output { Windows1252, Utf8 };

bool writeLine(std::string_view line, Output output)
{
    const bool written = output == Output::Utf8 ? dravelin::cli::writeOutput(dravelin::utf8FromWindows1252(line))
                                                : dravelin::cli::writeOutput(line);
    return written && dravelin::cli::writeOutput("\r\n");
}

// `fileShown`, `criterionName` and the messages are UTF-8; `query` is the query's characters.
int search(const std::filesystem::path& file, const std::string& fileShown, const std::string& criterionName,
           const std::u32string& query, Output output)
{
    const std::optional<Criterion> criterion = criterionNamed(criterionName);
    if (!criterion)
        return fail(2, "Critère inconnu « " + criterionName + " » : indicatif, nom, ville ou departement.");

    std::string refusal;
    const std::optional<std::string> bytes = dravelin::queryBytes(query, refusal);
    if (!bytes)
        return fail(2, refusal);
    const std::string_view rejection = dravelin::queryRejection(*criterion, *bytes);
    if (!rejection.empty())
        return fail(2, std::string(rejection));

    dravelin::ResultRows found;
    const dravelin::FileProblem problem = dravelin::searchDirectoryFile(file, *criterion, *bytes, found);
    if (problem != dravelin::FileProblem::None)
        return fail(1, dravelin::commandFileProblemMessage(problem, fileShown));

    dravelin::cli::useBinaryOutput();
    bool written = true;
    // Rows in list order lie all over the block of what was read: fetch a few ahead.
    constexpr std::size_t kRowsAhead = 16;
    std::string line;
    for (std::size_t i = 0; i < found.size() && written; ++i) {
        found.prefetch(i + kRowsAhead);
        line.clear();
        found.appendDisplayLine(line, i);
        written = writeLine(line, output);
    }
    if (written)
        written = dravelin::cli::writeOutput(" " + std::to_string(found.size()) + " indicatif(s)\r\n");
    if (!dravelin::cli::finishOutput() || !written)
        return fail(1, "Le résultat n'a pas pu être écrit en entier sur la sortie standard (disque plein ou "
                       "sortie fermée ?).");
    return 0;
}

const char* const kUsage = "Usage : dravelin-recherche [--utf8] FICHIER indicatif|nom|ville|departement REQUETE";

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
    const Output output = argc > 1 && std::wcscmp(argv[1], L"--utf8") == 0 ? Output::Utf8 : Output::Windows1252;
    wchar_t** const arguments = output == Output::Utf8 ? argv + 1 : argv;
    if (argc - (output == Output::Utf8 ? 1 : 0) != 4)
        return fail(2, kUsage);
    return search(std::filesystem::path(arguments[1]), dravelin::encodeUtf8(characters(arguments[1])),
                  dravelin::encodeUtf8(characters(arguments[2])), characters(arguments[3]), output);
}

#else

int main(int argc, char* argv[])
{
    // A file named --utf8 is given as ./--utf8.
    const Output output = argc > 1 && std::strcmp(argv[1], "--utf8") == 0 ? Output::Utf8 : Output::Windows1252;
    char** const arguments = output == Output::Utf8 ? argv + 1 : argv;
    if (argc - (output == Output::Utf8 ? 1 : 0) != 4)
        return fail(2, kUsage);
    // The file name is kept as the bytes given, which a name written in Latin-1 needs.
    return search(std::filesystem::path(arguments[1]), dravelin::utf8ForDisplay(arguments[1]),
                  dravelin::utf8ForDisplay(arguments[2]), dravelin::decodeUtf8(arguments[3]), output);
}

#endif
