#include "shared/sous_programmes.h"

#include <QStringList>

#include "dravelin_version.h"

namespace dravelin {

QString Sous_Programmes::versionText()
{
    return QStringLiteral(" " DRAVELIN_VERSION);
}

QString Sous_Programmes::historyText()
{
    const QStringList lines = {
        QStringLiteral("V1.0.1   le 15/09/2009 création"),
        QStringLiteral("V1.0.2   le 19/09/2009 Ajout Impression de la page affichée et fichier aide"),
        QStringLiteral("V1.0.3   le 11/04/2010 Utilisation de la base de donnée de l'ANFR"),
        QStringLiteral("V1.0.4   le 19/04/2010 Correction d'un bug dans affichage des departements 01 a 09"),
        QString(23, QLatin1Char(' ')) + QStringLiteral("Ajouté enregistrement au format txt et csv"),
        QStringLiteral("V1.0.5   le 16/06/2010 Modification selection recherche"),
    };
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

} // namespace dravelin
