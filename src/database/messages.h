#pragma once

#include <string>
#include <string_view>

#include "database/directory_file.h"
#include "database/edit_outcome.h"
#include "database/entry_fields.h"
#include "database/write_problem.h"

namespace dravelin {

// The French text of every outcome and file problem, written once for the windows and the
// commands. All texts are UTF-8; lines are separated by CR LF, as a message box shows them.

// The message of an editing outcome, empty when there is nothing to say.
std::string outcomeMessage(const EditOutcome& outcome);
// The few words that tell screen readers of a change made ("Entrée F6ABC supprimée",
// "Entrée F6ABC enregistrée", "Révision 256 enregistrée"); empty when nothing was changed.
std::string changeAnnouncement(const EditOutcome& outcome);

// What could not be done when the directory file could not be read.
enum class ReadPurpose { Search, ExpertDisplay };

// "Le fichier de l'annuaire « Annuaire_Amat.csv » est introuvable : la recherche est impossible."
std::string fileProblemMessage(FileProblem problem, ReadPurpose purpose);

// The refusal to start without the directory file, naming the folder looked in (UTF-8).
std::string startupFileProblemMessage(FileProblem problem, std::string_view folder);

// The command line's short form: "Fichier introuvable : " and the file as given (UTF-8).
std::string commandFileProblemMessage(FileProblem problem, std::string_view fileShown);

// The French message for a change that did not happen: the cause, what was not done, and
// (when true) that the directory file is as it was.
// A rewrite's scratch file is named `scratchName` (UTF-8), Temporaire.txt when empty.
std::string writeProblemMessage(WriteProblem problem, EditAction action, std::string_view scratchName = {});

// The message for a modifying save or a delete whose key (Windows-1252 bytes) names no line.
std::string entryNotFoundMessage(std::string_view key, EditAction action);

// The message that replaces the revision prompt at revision 999 in the editing window.
std::string revisionLimitMessage(int revision);
// The same refusal for a bump asked outright, where no entry was stored first.
std::string revisionLimitCommandMessage(int revision);

// The question of the revision bump, with its two spaces before the new number.
std::string revisionQuestion(int revision);

// Modifier with no entry in the window.
std::string noEntryShownMessage();

// A field holding a character that Windows-1252 cannot store.
std::string unstorableFieldMessage(EntryField field);

// The command's one line after a completed change. Callsigns are Windows-1252 bytes.
std::string entryAddedMessage(std::string_view callsign);
std::string entryReplacedMessage(std::string_view key, std::string_view callsign, std::size_t lines);
std::string entryDeletedMessage(std::string_view key, std::size_t lines);
std::string revisionRaisedMessage(int from, int to, std::string_view dateText);

} // namespace dravelin
