#include "main_window/main_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "database/query_rules.h"
#include "database/search.h"
#include "main_window/result_list_model.h"
#include "platform/platform.h"
#include "shared/sous_programmes.h"
#include "widgets/caption_fit.h"
#include "widgets/colours.h"
#include "widgets/spoken_notice.h"
#include "widgets/typing_line_edit.h"

namespace dravelin {

Criterion Main::selectedCriterion() const
{
    if (Option1->isChecked())
        return Criterion::Callsign;
    if (Option2->isChecked())
        return Criterion::Surname;
    if (Option3->isChecked())
        return Criterion::City;
    return Criterion::Department;
}

void Main::selectCriterion(const QString& prompt)
{
    // An access key chooses from the query box itself: no focus change speaks the prompt then.
    const bool toldByFocus = !Libelle->hasFocus();
    const bool changed = Label_Recherche->text() != prompt;
    Label_Recherche->setText(prompt);
    widenToCaption(Label_Recherche);
    Libelle->setEnabled(true);
    setBackgroundColour(Libelle, kFieldOpenColour);
    // Read with the box as the focus reaches it, in place of the outcome of an earlier search.
    Libelle->setAccessibleDescription(prompt + Libelle->toolTip());
    Libelle->setFocus();
    if (!toldByFocus && changed)
        notice_->announce(prompt.trimmed());
}

void Main::queryEntered()
{
    // An Enter handled while a search or a rewrite lets pending events run must not start a search.
    if (shared_.directoryBusy)
        return;
    shared_.Texte_Recherche = Libelle->text();
    const std::string_view rejection = queryRejection(selectedCriterion(), codec_.encode(Libelle->text()));
    if (!rejection.empty()) {
        showMessage(QString::fromUtf8(rejection.data(), static_cast<qsizetype>(rejection.size())));
        Libelle->clear();
        return;
    }
    Affichage();
    Libelle->setFocus();
}

void Main::Affichage()
{
    if (shared_.directoryBusy)
        return;
    shared_.directoryBusy = true;
    resultModel_->clear();

    const Criterion criterion = selectedCriterion();
    const std::string query = codec_.encode(Libelle->text());
    ResultLines found;
    const FileProblem problem = searchDirectoryFile(directoryFile(), criterion, query, found,
                                                    [this] { platform_.processPendingEvents(); });
    const std::size_t count = found.size();
    resultModel_->setLines(std::move(found));

    const QString countCaption = QStringLiteral(" %1 indicatif(s)").arg(count);
    Frame3->setTitle(countCaption);
    Frame3->setAccessibleName(countCaption);
    Libelle->clear();
    notice_->announce(problem == FileProblem::None && count == 0 ? QStringLiteral("Recherche sans résultat")
                                                                  : countCaption);
    shared_.directoryBusy = false;

    if (problem == FileProblem::Missing)
        showMessage(QStringLiteral("Le fichier de l'annuaire « %1 » est introuvable : la recherche est impossible.")
                        .arg(QString::fromLatin1(kDirectoryFileName)));
    else if (problem == FileProblem::NotReadable)
        showMessage(QStringLiteral("Le fichier de l'annuaire « %1 » ne peut pas être lu : la recherche est impossible.")
                        .arg(QString::fromLatin1(kDirectoryFileName)));
    else if (problem == FileProblem::NotRegular)
        showMessage(QStringLiteral("Le fichier de l'annuaire « %1 » n'est pas un fichier ordinaire (tube, périphérique "
                                   "ou lien vers l'un d'eux) : la recherche est impossible.")
                        .arg(QString::fromLatin1(kDirectoryFileName)));
    else if (count == 0)
        showMessage(QStringLiteral("Recherche sans résultat"));
}

} // namespace dravelin
