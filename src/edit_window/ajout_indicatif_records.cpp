#include "edit_window/ajout_indicatif.h"

#include <QPushButton>

#include "database/directory_editor.h"
#include "edit_window/field_line_edit.h"
#include "platform/platform.h"
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
    connect(addButton_, &QPushButton::clicked, this, &Ajout_Indicatif::startNewEntry);
    connect(modifyButton_, &QPushButton::clicked, this, &Ajout_Indicatif::startModification);
    connect(deleteButton_, &QPushButton::clicked, this, &Ajout_Indicatif::deleteSelectedEntry);
    connect(saveButton_, &QPushButton::clicked, this, &Ajout_Indicatif::storeEntry);
    connect(quitButton_, &QPushButton::clicked, this, &Ajout_Indicatif::quitWindow);
}

void Ajout_Indicatif::startNewEntry()
{
    const EditOutcome outcome = shared_.editor.startNewEntry();
    showOutcome(outcome);
    if (!outcome.done())
        return;
    callsignBox_->setReadOnly(false);
    setBackgroundColour(callsignBox_, kFieldOpenColour);
    callsignBox_->clear();
    for (std::size_t i = 1; i < kEntryFieldCount; ++i) {
        boxes_[i]->clear();
        closeBox(boxes_[i]);
    }
    // Only the entry chain enables it again, once the postcode has passed.
    disableSave();
    callsignBox_->setFocus();
}

void Ajout_Indicatif::startModification()
{
    const EditOutcome outcome = shared_.editor.startModification();
    showOutcome(outcome);
    if (!outcome.done())
        return;
    emit shared_.resultListInvalidated();
    openControl(callsignBox_);
}

void Ajout_Indicatif::deleteSelectedEntry()
{
    const EditOutcome outcome = shared_.editor.deleteEntry(shared_.Ligne_OM, directoryAccess());
    showOutcome(outcome);
    if (!outcome.done() && outcome.kind != EditOutcome::Kind::EntryNotFound)
        return;
    for (FieldLineEdit* fieldBoxControl : boxes_)
        fieldBoxControl->clear();
    // The boxes are empty now: an empty record must not be one click away.
    disableSave();
    emit shared_.resultListInvalidated();
    quitButton_->setFocus();
    announceChange(outcome);
}

} // namespace dravelin
