#pragma once

#include <QList>
#include <QStringList>

namespace dravelin::test {

// Runs Python with `arguments` and reads what it prints as a JSON array of arrays of strings:
// a table read by a reader that is not ours. A failure gives one row telling why.
QList<QStringList> pythonTable(const QString& python, const QStringList& arguments);

} // namespace dravelin::test
