#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>

#include "main_window/main_window.h"
#include "shared/sous_programmes.h"
#include "support/scripted_platform.h"

namespace dravelin::test {

// Types text into a widget key by key, accented letters included.
void typeText(QWidget* widget, const QString& text);

// Joins lines with CR LF after each, as the program writes them.
QByteArray crlfLines(std::initializer_list<QByteArray> lines);

// A program folder of its own, holding a directory file of the given bytes.
class ProgramFolder {
public:
    // In the system's temporary folder, or in `parentFolder` when one is given.
    explicit ProgramFolder(const QByteArray& directoryBytes, const QString& parentFolder = {});

    QString path() const { return folder_.path(); }
    QString directoryFile() const;
    QByteArray directoryBytes() const;
    void writeDirectory(const QByteArray& bytes) const;
    void removeDirectory() const;

private:
    QTemporaryDir folder_;
};

// The main window on a scripted platform over a program folder, loaded as at start-up.
class MainHarness {
public:
    explicit MainHarness(const QByteArray& directoryBytes, const QString& parentFolder = {});

    ProgramFolder folder;
    ScriptedPlatform platform;
    Sous_Programmes shared;
    std::unique_ptr<Main> window;
    bool loaded = false;

    template <typename T>
    T* control(const char* objectName) const
    {
        return window->findChild<T*>(QString::fromLatin1(objectName));
    }

    // Picks the criterion with a click, types the query into Libelle and presses Enter.
    void search(const char* option, const QString& typed);
    // The lines of Liste_OM as displayed.
    QStringList listLines() const;
    QString countCaption() const;
};

} // namespace dravelin::test
