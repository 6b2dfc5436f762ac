#include "edit_window/ajout_indicatif.h"

#include <QPushButton>

#include "database/entry_key.h"
#include "database/entry_operations.h"
#include "edit_window/field_line_edit.h"
#include "edit_window/write_messages.h"
#include "platform/platform.h"
#include "shared/directory_operation.h"
#include "shared/sous_programmes.h"
#include "widgets/colours.h"
#include "widgets/spoken_notice.h"

namespace dravelin {

void Ajout_Indicatif::connectControls()
{
    for (std::size_t i = 0; i < kEntryFieldCount; ++i) {
        const auto field = static_cast<EntryField>(i);
        connect(boxes_[i], &TypingLineEdit::enterPressed, this, [this, field] { fieldEntered(field); });
    }
    connect(Ajouter, &QPushButton::clicked, this, &Ajout_Indicatif::startNewEntry);
    connect(Modifier, &QPushButton::clicked, this, &Ajout_Indicatif::startModification);
    connect(Supprimer, &QPushButton::clicked, this, &Ajout_Indicatif::deleteSelectedEntry);
    connect(Enregistrer, &QPushButton::clicked, this, &Ajout_Indicatif::storeEntry);
    connect(Quitter, &QPushButton::clicked, this, &Ajout_Indicatif::quitWindow);
}

void Ajout_Indicatif::startNewEntry()
{
    // The buttons wait while an operation on the file lets pending events run.
    if (shared_.directoryBusy)
        return;
    // A new entry is appended, never put in place of the one a pending modification named.
    shared_.Mode_Modification = false;
    Ind_B->setReadOnly(false);
    setBackgroundColour(Ind_B, kFieldOpenColour);
    Ind_B->clear();
    for (std::size_t i = 1; i < kEntryFieldCount; ++i) {
        boxes_[i]->clear();
        closeBox(boxes_[i]);
    }
    shownKey_.reset();
    // Only the entry chain enables it again, once the postcode has passed.
    disableSave();
    Ind_B->setFocus();
}

void Ajout_Indicatif::startModification()
{
    if (shared_.directoryBusy)
        return;
    // The entry replaced is the one shown now, not the line selected at the time of the save.
    if (!shownKey_) {
        showMessage(QStringLiteral("Aucune entrée de l'annuaire n'est chargée dans la fenêtre : choisissez une ligne de "
                                   "la liste et ouvrez-la avec « Expert » avant « Modifier »."));
        return;
    }
    shared_.Cle_Modification = *shownKey_;
    shared_.Mode_Modification = true;
    emit shared_.resultListInvalidated();
    openControl(Ind_B);
}

void Ajout_Indicatif::deleteSelectedEntry()
{
    DirectoryOperation operation(shared_);
    if (!operation.started())
        return;
    // The entry shown in the boxes, whatever line has been selected since; with none shown,
    // the line selected in the main window.
    const std::string key = shownKey_ ? *shownKey_ : std::string(entryKey(shared_.Ligne_OM));
    const RewriteResult result = deleteEntry(programFolder(), key, [this] { platform_.processPendingEvents(); },
                                             platform_.fileLayer());
    if (result.problem != WriteProblem::None) {
        showMessage(writeProblemMessage(result.problem, EditAction::Delete));
        return;
    }
    const bool deleted = result.changedLines != 0;
    if (!deleted)
        showMessage(entryNotFoundMessage(key, EditAction::Delete));

    for (FieldLineEdit* fieldBoxControl : boxes_)
        fieldBoxControl->clear();
    shownKey_.reset();
    // The boxes are empty now: an empty record must not be one click away.
    disableSave();
    shared_.Mode_Modification = false;
    emit shared_.resultListInvalidated();
    Quitter->setFocus();
    if (deleted)
        notice_->announce(QStringLiteral("Entrée %1 supprimée").arg(codec_.decode(key)));
}

} // namespace dravelin
