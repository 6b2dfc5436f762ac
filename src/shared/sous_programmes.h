#pragma once

#include <QObject>
#include <QString>
#include <string>

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
    // A modification of the entry named by Cle_Modification is under way.
    bool Mode_Modification = false;
    // The entry key of the entry that was in the editing window when Modifier was pressed: the
    // modifying save replaces that entry, whatever line has been selected since.
    std::string Cle_Modification;
    // An entry was stored since the editing window was loaded.
    bool Base_Modifiee = false;
    // A search, lookup or rewrite of the directory file is under way and may be letting
    // pending events run: no second one may start (see DirectoryOperation).
    bool directoryBusy = false;

    static QString versionText();
    static QString historyText();

signals:
    // The editing window changed the directory: the result list no longer holds.
    void resultListInvalidated();
    // The revision line was rewritten; the main window shows the new label and date.
    void revisionChanged(const QString& label, const QString& dateText);
};

} // namespace dravelin
