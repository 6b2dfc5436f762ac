#pragma once

#include <QStringList>

namespace dravelin {

// What `Label_Recherche` reads once a criterion is chosen, for Option1 to Option4 in order.
inline QStringList criterionPrompts()
{
    return {QStringLiteral("Entrez un indicatif : "), QStringLiteral("Entrez un nom : "),
            QStringLiteral("Entrez une ville : "), QStringLiteral("Entrez un départemant : ")};
}

} // namespace dravelin
