#pragma once

#include <QStringList>

namespace dravelin {

// What the prompt beside the query box reads once a criterion is chosen, for the callsign,
// surname, city and department criteria in order.
inline QStringList criterionPrompts()
{
    return {QStringLiteral("Entrez un indicatif : "), QStringLiteral("Entrez un nom : "),
            QStringLiteral("Entrez une ville : "), QStringLiteral("Entrez un départemant : ")};
}

} // namespace dravelin
