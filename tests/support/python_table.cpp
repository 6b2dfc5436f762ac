#include "support/python_table.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

namespace dravelin::test {

QList<QStringList> pythonTable(const QString& python, const QStringList& arguments)
{
    QProcess process;
    process.start(python, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {{QStringLiteral("<python failed>"), QString::fromUtf8(process.readAllStandardError())}};
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(process.readAllStandardOutput()).array()) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray())
            cells << cell.toString();
        rows << cells;
    }
    return rows;
}

} // namespace dravelin::test
