#include "main_window/main_window.h"

#include <QAction>

#include "platform/platform.h"
#include "shared/sous_programmes.h"

namespace dravelin {

namespace {

const char* const kHelpFileName = "Dravelin.hlp";

// The About box has a credit line of its own, unlike the one closing the saved lists.
const QString kAboutCredit = QStringLiteral("Annuaire établi d'après la liste publiée par l'ANFR");

} // namespace

void Main::connectHelpMenu()
{
    connect(historyAction_, &QAction::triggered, this, &Main::showHistory);
    connect(manualAction_, &QAction::triggered, this, &Main::showUserManual);
    connect(aboutAction_, &QAction::triggered, this, &Main::showAbout);
}

void Main::showHistory()
{
    showMessage(shared_.Texte_Historique);
}

void Main::showUserManual()
{
    // The folder's own bytes, as start-up takes them: a name that is not UTF-8 has no QString.
    platform_.showHelp(this, platform_.manualFolder() / kHelpFileName);
}

void Main::showAbout()
{
    showMessage(QStringLiteral("Dravelin  Revision ") + shared_.Version_Programme + QStringLiteral("\r\n\r\n") +
                QString(6, QLatin1Char(' ')) + kAboutCredit);
}

} // namespace dravelin
