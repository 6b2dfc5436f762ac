#include "edit_window/write_messages.h"

#include "widgets/windows1252_text.h"

namespace dravelin {

namespace {

QString cause(WriteProblem problem)
{
    switch (problem) {
    case WriteProblem::None:
        break;
    case WriteProblem::DirectoryBusy:
        return QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » est en cours de modification par une autre copie du programme.");
    case WriteProblem::FirstLineChanged:
        return QStringLiteral("La révision de la base a été changée par une autre copie du programme pendant la question.");
    case WriteProblem::LockNotCreated:
        return QStringLiteral("Le fichier de verrou « Annuaire_Amat.lock » ne peut pas être créé dans le dossier de l'annuaire "
                              "(dossier protégé en écriture ou disque plein ?).");
    case WriteProblem::DirectoryMissing:
        return QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » est introuvable dans le dossier du programme.");
    case WriteProblem::DirectoryNotReadable:
        return QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » ne peut pas être lu.");
    case WriteProblem::DirectoryNotRegular:
        return QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » n'est pas un fichier ordinaire "
                              "(tube, périphérique ou lien vers l'un d'eux).");
    case WriteProblem::DirectoryEmpty:
        return QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » est vide : sa ligne de révision manque.");
    case WriteProblem::DirectoryReadOnly:
        return QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » est protégé en écriture.");
    case WriteProblem::ScratchNotCreated:
        return QStringLiteral("Le fichier de travail « Temporaire.txt » ne peut pas être créé dans le dossier de l'annuaire.");
    case WriteProblem::PermissionsNotKept:
        return QStringLiteral("Le fichier de travail « Temporaire.txt » ne peut pas recevoir les droits d'accès "
                              "du fichier de l'annuaire « Annuaire_Amat.csv ».");
    case WriteProblem::ScratchNotWritten:
        return QStringLiteral("Le fichier de travail « Temporaire.txt » n'a pas pu être écrit en entier (disque plein ?).");
    case WriteProblem::DirectoryNotReplaced:
        return QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » n'a pas pu être remplacé par sa nouvelle version.");
    case WriteProblem::DirectoryNotOpened:
        return QStringLiteral("Le fichier de l'annuaire « Annuaire_Amat.csv » ne peut pas être ouvert en écriture.");
    case WriteProblem::DirectoryNotWritten:
    case WriteProblem::AppendNotUndone:
        return QStringLiteral("L'entrée n'a pas pu être écrite à la fin du fichier de l'annuaire « Annuaire_Amat.csv » (disque plein ?).");
    }
    return {};
}

QString notDone(EditAction action)
{
    switch (action) {
    case EditAction::Save:
        return QStringLiteral("L'entrée n'a pas été enregistrée.");
    case EditAction::Delete:
        return QStringLiteral("Rien n'a été supprimé.");
    case EditAction::RaiseRevision:
        return QStringLiteral("La révision de la base n'a pas été changée.");
    }
    return {};
}

} // namespace

QString writeProblemMessage(WriteProblem problem, EditAction action)
{
    QString text = cause(problem) + QStringLiteral("\r\n") + notDone(action);
    if (problem == WriteProblem::AppendNotUndone)
        text += QStringLiteral("\r\nLa fin du fichier de l'annuaire peut contenir une ligne incomplète : vérifiez-la.");
    else if (problem == WriteProblem::DirectoryBusy)
        text += QStringLiteral("\r\nCette copie du programme n'a rien changé au fichier : réessayez quand l'autre aura terminé.");
    else if (problem != WriteProblem::DirectoryMissing)
        text += QStringLiteral("\r\nLe fichier de l'annuaire est resté tel qu'il était.");
    return text;
}

QString entryNotFoundMessage(std::string_view key, EditAction action)
{
    const QString callsign = key.empty() ? QStringLiteral("un indicatif vide")
                                         : QStringLiteral("l'indicatif « %1 »").arg(Windows1252().decode(key));
    if (action == EditAction::Delete)
        return QStringLiteral("Aucune entrée de l'annuaire ne porte %1 : rien n'a été supprimé.").arg(callsign);
    return QStringLiteral("Aucune entrée de l'annuaire ne porte %1 : l'entrée à modifier n'a pas été trouvée "
                          "et rien n'a été enregistré.")
        .arg(callsign);
}

QString revisionLimitMessage(int revision)
{
    // Shown at Quitter after entries of this opening were stored: only the revision line is
    // left as it was, the entries already written stay.
    return QStringLiteral("La base de donnée est a la révision %1, la dernière que le fichier peut noter sur trois "
                          "chiffres : la révision ne peut pas être augmentée.\r\nLa ligne de révision du fichier de "
                          "l'annuaire n'a pas été changée ; les entrées déjà enregistrées ne sont pas annulées.")
        .arg(revision);
}

} // namespace dravelin
