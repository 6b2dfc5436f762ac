#include "main_window/main_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <optional>
#include <string>

#include "database/messages.h"
#include "database/query_rules.h"
#include "database/search.h"
#include "main_window/result_list_model.h"
#include "platform/platform.h"
#include "shared/sous_programmes.h"
#include "widgets/caption_fit.h"
#include "widgets/colours.h"
#include "widgets/spoken_notice.h"
#include "widgets/typing_line_edit.h"
#include "widgets/windows1252_text.h"

namespace dravelin {

Criterion Main::selectedCriterion() const
{
    if (callsignOption_->isChecked())
        return Criterion::Callsign;
    if (surnameOption_->isChecked())
        return Criterion::Surname;
    if (cityOption_->isChecked())
        return Criterion::City;
    return Criterion::Department;
}

void Main::selectCriterion(const QString& prompt)
{
    // An access key chooses from the query box itself: no focus change speaks the prompt then.
    const bool toldByFocus = !queryBox_->hasFocus();
    const bool changed = promptLabel_->text() != prompt;
    promptLabel_->setText(prompt);
    widenToCaption(promptLabel_);
    queryBox_->setEnabled(true);
    setBackgroundColour(queryBox_, kFieldOpenColour);
    // Read with the box as the focus reaches it, in place of the outcome of an earlier search.
    queryBox_->setAccessibleDescription(prompt + queryBox_->toolTip());
    queryBox_->setFocus();
    if (!toldByFocus && changed)
        notice_->announce(prompt.trimmed());
}

void Main::queryEntered()
{
    // An Enter handled while a search or a rewrite lets pending events run must not start a search.
    if (shared_.editor.busy())
        return;
    shared_.Texte_Recherche = queryBox_->text();
    std::string refusal;
    const std::optional<std::string> query = queryBytes(queryBox_->text().toStdU32String(), refusal);
    const std::string_view rejection = query ? queryRejection(selectedCriterion(), *query) : refusal;
    if (!rejection.empty()) {
        showMessage(QString::fromUtf8(rejection.data(), static_cast<qsizetype>(rejection.size())));
        queryBox_->clear();
        return;
    }
    Affichage();
    queryBox_->setFocus();
}

void Main::Affichage()
{
    std::optional<DirectoryEditor::Operation> operation(std::in_place, shared_.editor);
    if (!operation->started())
        return;
    resultModel_->clear();

    const Criterion criterion = selectedCriterion();
    // No line of the file holds a character that Windows-1252 cannot: such a query finds
    // nothing, and is never searched as a substitution byte.
    std::string refusal;
    const std::optional<std::string> query = queryBytes(queryBox_->text().toStdU32String(), refusal);
    ResultRows found;
    const FileProblem problem = query ? searchDirectoryFile(
                                            directoryFile(), criterion, *query, found,
                                            [this] { platform_.processPendingEvents(); }, platform_.fileLayer())
                                      : FileProblem::None;
    const std::size_t count = found.size();
    resultModel_->setRows(std::move(found));

    const QString countCaption = QStringLiteral(" %1 indicatif(s)").arg(count);
    listFrame_->setTitle(countCaption);
    listFrame_->setAccessibleName(countCaption);
    queryBox_->clear();
    notice_->announce(problem == FileProblem::None && count == 0 ? QStringLiteral("Recherche sans résultat")
                                                                 : countCaption);
    operation.reset();

    if (problem != FileProblem::None)
        showMessage(QString::fromStdString(fileProblemMessage(problem, ReadPurpose::Search)));
    else if (count == 0)
        showMessage(QStringLiteral("Recherche sans résultat"));
}

} // namespace dravelin
