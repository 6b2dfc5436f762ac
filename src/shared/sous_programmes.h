#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "database/directory_editor.h"

namespace dravelin {

// What the main window and the editing window share while the program runs. The
// application owns one and hands it to both windows; nothing of it is saved.
class Sous_Programmes : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // " 1.0.5" (project(VERSION) in CMakeLists.txt), with the leading space that the caption
    // and the About text rely on.
    QString Version_Programme;
    // The version history, six lines, each ending with CR LF.
    QString Texte_Historique;
    // The query box as it was at the last Enter, before any check.
    QString Texte_Recherche;
    // The result line selected last, as Windows-1252 bytes exactly as listed.
    std::string Ligne_OM;
    // The editing of the directory file: the entry in the editing window, a pending
    // modification, Base_Modifiee and whether an operation on the file is under way.
    DirectoryEditor editor;

    static QString versionText();
    static QString historyText();

signals:
    // The editing window changed the directory: the result list no longer holds.
    void resultListInvalidated();
    // The revision line was rewritten; the main window shows the new label and date.
    void revisionChanged(const QString& label, const QString& dateText);
};

} // namespace dravelin
