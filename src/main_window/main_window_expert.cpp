#include "main_window/main_window.h"

#include <QKeySequence>
#include <QListView>
#include <QPushButton>
#include <QShortcut>

#include "database/expert_lookup.h"
#include "database/messages.h"
#include "edit_window/ajout_indicatif.h"
#include "main_window/result_list_model.h"
#include "main_window/result_list_view.h"
#include "platform/platform.h"
#include "shared/sous_programmes.h"

namespace dravelin {

void Main::connectExpert()
{
    if (auto* list = qobject_cast<ResultListView*>(resultList_))
        connect(list, &ResultListView::lineClicked, this, &Main::lineClicked);
    connect(resultList_, &QAbstractItemView::doubleClicked, this, &Main::lineDoubleClicked);
    connect(expertButton_, &QPushButton::clicked, this, &Main::Aff_Expert);

    // The only way to the Expert button, which the window's layout hides.
    auto* chord = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), this);
    chord->setObjectName(QStringLiteral("Raccourci_Expert"));
    connect(chord, &QShortcut::activated, this, &Main::toggleExpert);
}

void Main::toggleExpert()
{
    expertButton_->setVisible(expertButton_->isHidden());
}

void Main::lineClicked()
{
    const QModelIndex current = resultList_->currentIndex();
    if (!current.isValid() || current.row() >= resultModel_->rowCount()) {
        shared_.Ligne_OM.clear();
        selectedKey_.clear();
        return;
    }
    const auto row = static_cast<std::size_t>(current.row());
    shared_.Ligne_OM = resultModel_->rows().displayLine(row);
    selectedKey_ = resultModel_->rows().entryAt(row).callsign;
}

void Main::lineDoubleClicked()
{
    if (expertButton_->isHidden())
        return;
    lineClicked();
    Aff_Expert();
}

void Main::Aff_Expert()
{
    // Taken once: a click during the lookup's pass must not pair this entry with another key.
    const std::string key = selectedKey_;
    DirectoryAccess access;
    access.programFolder = platform_.programFolder();
    access.afterFirstLine = [this] { platform_.processPendingEvents(); };
    access.files = &platform_.fileLayer();
    const std::optional<ExpertLookup> found = shared_.editor.lookUp(key, access);
    if (!found)
        return;
    const ExpertLookup& lookup = *found;
    if (lookup.problem != FileProblem::None) {
        showMessage(QString::fromStdString(fileProblemMessage(lookup.problem, ReadPurpose::ExpertDisplay)));
        return;
    }

    if (!editingWindow_)
        editingWindow_ = std::make_unique<Ajout_Indicatif>(platform_, shared_);
    editingWindow_->load();
    if (lookup.entry)
        editingWindow_->fillBoxes(*lookup.entry, key);
    editingWindow_->showWindow();
}

} // namespace dravelin
