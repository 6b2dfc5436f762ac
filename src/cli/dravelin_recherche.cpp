// dravelin-recherche FILE CRITERE REQUETE
// Prints the result lines of one search in list order, as Windows-1252 with CR LF (as a
// text save writes them), then the count line. Exit status: 0 done, 1 file problem,
// 2 rejected query or wrong arguments.
#include <QCoreApplication>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cstdio>
#include <map>
#include <string>

#include "database/query_rules.h"
#include "database/search.h"

namespace {

int fail(int status, const QString& message)
{
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return fail(2, QStringLiteral("Usage : dravelin-recherche FICHIER indicatif|nom|ville|departement REQUETE"));

    const std::map<QString, dravelin::Criterion> criteria = {
        {QStringLiteral("indicatif"), dravelin::Criterion::Callsign},
        {QStringLiteral("nom"), dravelin::Criterion::Surname},
        {QStringLiteral("ville"), dravelin::Criterion::City},
        {QStringLiteral("departement"), dravelin::Criterion::Department},
    };
    const auto criterion = criteria.find(args[2]);
    if (criterion == criteria.end())
        return fail(2, QStringLiteral("Critère inconnu « %1 » : indicatif, nom, ville ou departement.").arg(args[2]));

    QStringEncoder toWindows1252("windows-1252", QStringConverter::Flag::Stateless);
    const QByteArray queryBytes = toWindows1252.encode(args[3]);
    const std::string query(queryBytes.constData(), static_cast<std::size_t>(queryBytes.size()));
    const std::string_view rejection = dravelin::queryRejection(criterion->second, query);
    if (!rejection.empty())
        return fail(2, QString::fromUtf8(rejection.data(), static_cast<qsizetype>(rejection.size())));

    dravelin::ResultLines found;
    const std::filesystem::path file(args[1].toStdU16String());
    switch (dravelin::searchDirectoryFile(file, criterion->second, query, found)) {
    case dravelin::FileProblem::Missing:
        return fail(1, QStringLiteral("Fichier introuvable : %1").arg(args[1]));
    case dravelin::FileProblem::NotRegular: return fail(1, QStringLiteral("Pas un fichier ordinaire : %1").arg(args[1]));
    case dravelin::FileProblem::NotReadable:
        return fail(1, QStringLiteral("Fichier illisible : %1").arg(args[1]));
    case dravelin::FileProblem::None:
        break;
    }

    std::string out;
    for (std::size_t i = 0; i < found.size(); ++i) {
        out.append(found[i]);
        out.append("\r\n");
    }
    out.append(" " + std::to_string(found.size()) + " indicatif(s)\r\n");
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
