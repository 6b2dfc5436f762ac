#include "edit_window/ajout_indicatif.h"

#include <QPushButton>

#include "database/directory_editor.h"
#include "database/expert_lookup.h"
#include "edit_window/field_line_edit.h"
#include "shared/sous_programmes.h"
#include "widgets/colours.h"
#include "widgets/windows1252_text.h"

namespace dravelin {

void Ajout_Indicatif::fillBoxes(const ExpertEntry& entry, const std::string& key)
{
    shared_.editor.entryShown(key);
    saveButton_->setEnabled(false);
    callsignBox_->setText(Windows1252::decode(entry.callsign));
    surnameBox_->setText(Windows1252::decode(entry.surname));
    firstNameBox_->setText(Windows1252::decode(entry.firstName));
    addressBox_->setText(Windows1252::decode(entry.address));
    cityBox_->setText(Windows1252::decode(entry.city));
    postcodeBox_->setText(Windows1252::decode(entry.postcode));
}

TypedField Ajout_Indicatif::typedField(EntryField field)
{
    const QString text = box(field)->text();
    TypedField typed;
    typed.bytes = Windows1252::encode(text);
    // Pasted text may hold characters that the file's character set cannot store.
    typed.storable = Windows1252::decode(typed.bytes) == text;
    return typed;
}

bool Ajout_Indicatif::fieldAccepted(EntryField field)
{
    const std::optional<EditOutcome> refusal = fieldRefusal(field, typedField(field));
    if (refusal)
        showOutcome(*refusal);
    return !refusal;
}

void Ajout_Indicatif::openControl(QWidget* control)
{
    control->setEnabled(true);
    if (auto* fieldBoxControl = qobject_cast<FieldLineEdit*>(control))
        fieldBoxControl->setReadOnly(false);
    setBackgroundColour(control, kFieldOpenColour);
    control->setFocus();
}

void Ajout_Indicatif::fieldEntered(EntryField field)
{
    // A box that only shows the entry is not part of the chain.
    if (box(field)->isReadOnly())
        return;
    if (!fieldAccepted(field))
        return;
    setBackgroundColour(box(field), kFieldDoneColour);
    const auto next = static_cast<std::size_t>(field) + 1;
    openControl(next < kEntryFieldCount ? static_cast<QWidget*>(boxes_[next]) : saveButton_);
}

} // namespace dravelin
