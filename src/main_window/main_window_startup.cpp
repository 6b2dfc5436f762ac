#include "main_window/main_window.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "database/directory_file.h"
#include "database/messages.h"
#include "database/revision_line.h"
#include "main_window/settings_section.h"
#include "platform/platform.h"
#include "shared/sous_programmes.h"
#include "widgets/typing_line_edit.h"
#include "widgets/windows1252_text.h"

namespace dravelin {

namespace {

// Each word over its column of the result lines, in the list's fixed-pitch font: "Indicatif"
// at column 1, "Nom Prenom" at column 13, "Adresse" at column 53.
QString columnHeading()
{
    return QStringLiteral("Indicatif") + QString(3, QLatin1Char(' ')) + QStringLiteral("Nom Prenom") +
           QString(30, QLatin1Char(' ')) + QStringLiteral("Adresse");
}

} // namespace

std::filesystem::path Main::directoryFile() const
{
    return directoryFilePath(platform_.programFolder());
}

bool Main::loadWindow()
{
    fitToScreen();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - frameGeometry().width()) / 2,
             area.y() + (area.height() - frameGeometry().height()) / 2);
    }

    const FirstLine revision = readRevisionLine(directoryFile(), platform_.fileLayer());
    if (revision.problem != FileProblem::None) {
        const std::string folder = displayPath(platform_.programFolder()).toStdString();
        showMessage(QString::fromStdString(startupFileProblemMessage(revision.problem, folder)));
        return false;
    }
    revisionLabel_->setText(Windows1252::decode(revisionLabel(revision.text)));
    revisionDateLabel_->setText(Windows1252::decode(revisionDateText(revision.text)));

    listHeading_->setText(columnHeading());
    shared_.Texte_Historique = Sous_Programmes::historyText();
    shared_.Version_Programme = Sous_Programmes::versionText();
    setWindowTitle(QStringLiteral("  Dravelin    Revision ") + shared_.Version_Programme);
    show();
    queryBox_->setFocus();

    platform_.writeSetting(settingsApplication(), settingsSection(), QStringLiteral("Chemin Repertoire"),
                           displayPath(platform_.programFolder()));
    platform_.writeSetting(settingsApplication(), settingsSection(), QStringLiteral("Revision Annuaire"),
                           revisionLabel_->text());
    return true;
}

void Main::showMessage(const QString& text)
{
    platform_.showMessage(this, text, MessageButtons::Ok);
}

} // namespace dravelin
