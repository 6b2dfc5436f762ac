#include "database/messages.h"

#include "database/unicode_text.h"

namespace dravelin {

namespace {

const std::string kDirectoryNamed = std::string("Le fichier de l'annuaire « ") + kDirectoryFileName + " »";

struct FileProblemWords {
    std::string_view state;     // what the directory file "est" or "ne peut pas": after its name
    std::string_view shortForm; // the command's form, before the file's name
};

// The one place that says what each file problem is, in French.
FileProblemWords wordsFor(FileProblem problem)
{
    switch (problem) {
    case FileProblem::None:
        break;
    case FileProblem::Missing:
        return {"est introuvable", "Fichier introuvable"};
    case FileProblem::NotReadable:
        return {"ne peut pas être lu", "Fichier illisible"};
    case FileProblem::NotRegular:
        return {"n'est pas un fichier ordinaire (tube, périphérique ou lien vers l'un d'eux)",
                "Pas un fichier ordinaire"};
    }
    return {};
}

std::string writeCause(WriteProblem problem, std::string_view scratchName)
{
    const std::string scratchNamed = "Le fichier de travail « " + std::string(scratchName) + " »";
    switch (problem) {
    case WriteProblem::None:
        break;
    case WriteProblem::DirectoryBusy:
        return kDirectoryNamed + " est en cours de modification par une autre copie du programme.";
    case WriteProblem::FirstLineChanged:
        return "La révision de la base a été changée par une autre copie du programme pendant la question.";
    case WriteProblem::RevisionLineTooLong:
        return "La première ligne du fichier de l'annuaire « Annuaire_Amat.csv » est bien trop longue pour être sa "
               "ligne de révision.";
    case WriteProblem::LockNotRegular:
        return "Le fichier de verrou « Annuaire_Amat.lock » du dossier de l'annuaire n'est pas un fichier ordinaire "
               "(lien, tube, dossier ou périphérique) : supprimez-le.";
    case WriteProblem::DirectoryNotWritable:
        return "Vous n'avez pas le droit d'écrire dans le fichier de l'annuaire « Annuaire_Amat.csv » (il appartient "
               "à un autre utilisateur, ou ses droits d'accès l'interdisent).";
    case WriteProblem::LockNotCreated:
        return "Le fichier de verrou « Annuaire_Amat.lock » ne peut pas être créé dans le dossier de l'annuaire "
               "(dossier protégé en écriture ou disque plein ?).";
    case WriteProblem::DirectoryMissing:
        return kDirectoryNamed + " " + std::string(wordsFor(FileProblem::Missing).state) +
               " dans le dossier du programme.";
    case WriteProblem::DirectoryNotReadable:
        return kDirectoryNamed + " " + std::string(wordsFor(FileProblem::NotReadable).state) + ".";
    case WriteProblem::DirectoryNotRegular:
        return kDirectoryNamed + " " + std::string(wordsFor(FileProblem::NotRegular).state) + ".";
    case WriteProblem::DirectoryEmpty:
        return kDirectoryNamed + " est vide : sa ligne de révision manque.";
    case WriteProblem::DirectoryReadOnly:
        return kDirectoryNamed + " est protégé en écriture.";
    case WriteProblem::ScratchNotCreated:
        return scratchNamed + " ne peut pas être créé dans le dossier de l'annuaire.";
    case WriteProblem::PermissionsNotKept:
        return scratchNamed +
               " ne peut pas recevoir les droits d'accès du fichier de l'annuaire « Annuaire_Amat.csv ».";
    case WriteProblem::ScratchNotWritten:
        return scratchNamed + " n'a pas pu être écrit en entier (disque plein ?).";
    case WriteProblem::DirectoryNotReplaced:
        return kDirectoryNamed + " n'a pas pu être remplacé par sa nouvelle version.";
    case WriteProblem::DirectoryNotOpened:
        return kDirectoryNamed + " ne peut pas être ouvert en écriture.";
    case WriteProblem::DirectoryNotWritten:
    case WriteProblem::AppendNotUndone:
        return "L'entrée n'a pas pu être écrite à la fin du fichier de l'annuaire « Annuaire_Amat.csv » (disque plein "
               "?).";
    }
    return {};
}

std::string notDone(EditAction action)
{
    switch (action) {
    case EditAction::Save:
        return "L'entrée n'a pas été enregistrée.";
    case EditAction::Delete:
        return "Rien n'a été supprimé.";
    case EditAction::RaiseRevision:
        return "La révision de la base n'a pas été changée.";
    }
    return {};
}

std::string utf8Of(std::string_view windows1252)
{
    std::u32string characters;
    for (const char byte : windows1252)
        characters += windows1252Character(static_cast<unsigned char>(byte));
    return encodeUtf8(characters);
}

std::string callsignNamed(std::string_view key)
{
    return key.empty() ? std::string("un indicatif vide") : "l'indicatif « " + utf8Of(key) + " »";
}

std::string linesCounted(std::size_t lines)
{
    return std::to_string(lines) + (lines > 1 ? " lignes" : " ligne");
}

} // namespace

std::string fileProblemMessage(FileProblem problem, ReadPurpose purpose)
{
    const std::string_view consequence =
        purpose == ReadPurpose::Search ? "la recherche est impossible" : "la fiche ne peut pas être affichée";
    return kDirectoryNamed + " " + std::string(wordsFor(problem).state) + " : " + std::string(consequence) + ".";
}

std::string startupFileProblemMessage(FileProblem problem, std::string_view folder)
{
    const std::string inFolder = "dossier « " + std::string(folder) + " »";
    const std::string cause =
        problem == FileProblem::Missing
            ? kDirectoryNamed + " " + std::string(wordsFor(problem).state) + " dans le " + inFolder + "."
            : kDirectoryNamed + " du " + inFolder + " " + std::string(wordsFor(problem).state) + ".";
    return cause + "\r\nDravelin ne peut pas démarrer sans lui.";
}

std::string commandFileProblemMessage(FileProblem problem, std::string_view fileShown)
{
    return std::string(wordsFor(problem).shortForm) + " : " + std::string(fileShown);
}

std::string writeProblemMessage(WriteProblem problem, EditAction action, std::string_view scratchName)
{
    std::string text =
        writeCause(problem, scratchName.empty() ? kScratchFileName : scratchName) + "\r\n" + notDone(action);
    if (problem == WriteProblem::AppendNotUndone)
        text += "\r\nLa fin du fichier de l'annuaire peut contenir une ligne incomplète : vérifiez-la.";
    else if (problem == WriteProblem::DirectoryBusy)
        text += "\r\nCette copie du programme n'a rien changé au fichier : réessayez quand l'autre aura terminé.";
    else if (problem != WriteProblem::DirectoryMissing)
        text += "\r\nLe fichier de l'annuaire est resté tel qu'il était.";
    return text;
}

std::string entryNotFoundMessage(std::string_view key, EditAction action)
{
    if (action == EditAction::Delete)
        return "Aucune entrée de l'annuaire ne porte " + callsignNamed(key) + " : rien n'a été supprimé.";
    return "Aucune entrée de l'annuaire ne porte " + callsignNamed(key) +
           " : l'entrée à modifier n'a pas été trouvée et rien n'a été enregistré.";
}

namespace {

std::string revisionLimitReason(int revision)
{
    return "La base de donnée est a la révision " + std::to_string(revision) +
           ", la dernière que le fichier peut noter sur trois chiffres : la révision ne peut pas être augmentée.";
}

} // namespace

std::string revisionLimitMessage(int revision)
{
    // Shown at Quitter after entries of this opening were stored: only the revision line is
    // left as it was, the entries already written stay.
    return revisionLimitReason(revision) +
           "\r\nLa ligne de révision du fichier de l'annuaire n'a pas été changée ; les entrées déjà enregistrées ne "
           "sont pas annulées.";
}

std::string revisionLimitCommandMessage(int revision)
{
    return revisionLimitReason(revision) + " Le fichier de l'annuaire est resté tel qu'il était.";
}

std::string revisionQuestion(int revision)
{
    return "La base de donnée est a la révision " + std::to_string(revision) +
           " voulez vous la passer a la révision  " + std::to_string(revision + 1);
}

std::string noEntryShownMessage()
{
    return "Aucune entrée de l'annuaire n'est chargée dans la fenêtre : choisissez une ligne de la liste et "
           "ouvrez-la avec « Expert » avant « Modifier ».";
}

std::string unstorableFieldMessage(EntryField field)
{
    return "Le champ « " + std::string(fieldCaption(field)) +
           " » contient un caractère que le fichier de l'annuaire ne peut pas enregistrer.";
}

std::string entryAddedMessage(std::string_view callsign)
{
    return "Entrée ajoutée à la fin de l'annuaire : " + callsignNamed(callsign) + ".";
}

std::string entryReplacedMessage(std::string_view key, std::string_view callsign, std::size_t lines)
{
    return "Entrée de " + callsignNamed(key) + " remplacée par celle de " + callsignNamed(callsign) + " (" +
           linesCounted(lines) + ").";
}

std::string entryDeletedMessage(std::string_view key, std::size_t lines)
{
    return "Entrée de " + callsignNamed(key) + " supprimée (" + linesCounted(lines) + ").";
}

std::string revisionRaisedMessage(int from, int to, std::string_view dateText)
{
    return "Révision de la base passée de " + std::to_string(from) + " à " + std::to_string(to) + ", datée du " +
           utf8Of(dateText) + ".";
}

std::string outcomeMessage(const EditOutcome& outcome)
{
    switch (outcome.kind) {
    case EditOutcome::Kind::Done:
    case EditOutcome::Kind::Busy:
    case EditOutcome::Kind::Declined:
    case EditOutcome::Kind::NothingToRaise:
        break;
    case EditOutcome::Kind::FieldRefused:
        return outcome.fieldRule.empty() ? unstorableFieldMessage(outcome.field) : outcome.fieldRule;
    case EditOutcome::Kind::NoEntryShown:
        return noEntryShownMessage();
    case EditOutcome::Kind::EntryNotFound:
        return entryNotFoundMessage(outcome.key, outcome.action);
    case EditOutcome::Kind::WriteRefused:
        return writeProblemMessage(outcome.problem, outcome.action, outcome.scratchName);
    case EditOutcome::Kind::RevisionLimit:
        return revisionLimitMessage(outcome.revision);
    }
    return {};
}

std::string changeAnnouncement(const EditOutcome& outcome)
{
    // Ajouter and Modifier are done too, yet change nothing in the file.
    if (!outcome.done())
        return {};
    switch (outcome.action) {
    case EditAction::Delete:
        return outcome.changedLines == 0 ? std::string() : "Entrée " + utf8FromWindows1252(outcome.key) + " supprimée";
    case EditAction::Save:
        return outcome.changedLines == 0 ? std::string()
                                         : "Entrée " + utf8FromWindows1252(outcome.storedCallsign) + " enregistrée";
    case EditAction::RaiseRevision:
        return outcome.revisionLine.empty() ? std::string()
                                            : "Révision " + std::to_string(outcome.revision + 1) + " enregistrée";
    }
    return {};
}

} // namespace dravelin
