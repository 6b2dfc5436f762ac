#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace dravelin::test {

// What stands at the directory file's path.
enum class InputKind {
    Bytes,      // a file of these bytes
    Folder,     // a folder of that name
    Unreadable, // a file of these bytes without read permission
    Pipe,       // a named pipe that nobody writes to: opening it to read would wait for ever
    DeviceLink, // a symbolic link to /dev/zero, which never ends
};

// One search on the file: the criterion (0 callsign, 1 surname, 2 city, 3 department, as
// Option1 to Option4), the query as typed (Windows-1252) and the lines listed, in list order.
struct Probe {
    int criterion;
    QByteArray query;
    QList<QByteArray> lines;
};

// A directory file that has broken something once or could, with what the program must make
// of it: the revision captions at start-up and the result of a search under each criterion.
struct BadInput {
    const char* name;
    InputKind kind;
    QByteArray bytes;
    QByteArray label; // Num_Rev at start-up, as bytes of the file
    QByteArray date;  // Date_Rev at start-up
    QList<Probe> probes;
};

const QList<BadInput>& badInputs();

} // namespace dravelin::test
