#pragma once

#include <QString>

namespace dravelin {

// Where the program keeps its values in the user's settings: application, then section.
inline QString settingsApplication()
{
    return QStringLiteral("Annuaire");
}
inline QString settingsSection()
{
    return QStringLiteral("Setup ");
}

} // namespace dravelin
