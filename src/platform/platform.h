#pragma once

#include <QDate>
#include <QString>
#include <filesystem>

#include "database/file_layer.h"

class QWidget;

namespace dravelin {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Every service the windows need from the system. The windows never open a dialog, a
// printer or the settings store themselves, so tests can put a script in their place.
class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box titled "Dravelin", without icon; CR LF starts a new line.
    virtual MessageAnswer showMessage(QWidget* parent, const QString& text, MessageButtons buttons) = 0;

    // Writes one text value under application, section and key of the user's settings.
    virtual void writeSetting(const QString& application, const QString& section, const QString& key,
                              const QString& value) = 0;

    // The folder of the running program, where the directory file lives.
    virtual QString programFolder() const = 0;

    virtual QDate today() const = 0;

    // Lets the window handle the events waiting now, once, and returns.
    virtual void processPendingEvents() = 0;

    // The calls that write, flush and rename files on behalf of the editing window.
    virtual FileLayer& fileLayer() { return systemFileLayer(); }
};

// A folder or file name of the widgets' world as a path for the database layer.
inline std::filesystem::path toFilesystemPath(const QString& name)
{
    return std::filesystem::path(name.toStdU16String());
}

} // namespace dravelin
