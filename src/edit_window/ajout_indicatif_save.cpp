#include "edit_window/ajout_indicatif.h"

#include <QPushButton>

#include "database/directory_editor.h"
#include "database/messages.h"
#include "database/revision_line.h"
#include "edit_window/field_line_edit.h"
#include "platform/platform.h"
#include "shared/sous_programmes.h"
#include "widgets/colours.h"
#include "widgets/windows1252_text.h"

namespace dravelin {

void Ajout_Indicatif::storeEntry()
{
    TypedEntry entry;
    for (std::size_t i = 0; i < kEntryFieldCount; ++i)
        entry[i] = typedField(static_cast<EntryField>(i));
    // The boxes keep what was typed until the entry is safely in the file.
    const EditOutcome outcome = shared_.editor.store(entry, directoryAccess());
    showOutcome(outcome);
    if (outcome.kind == EditOutcome::Kind::FieldRefused)
        box(outcome.field)->setFocus();
    if (!outcome.done())
        return;
    readyForNextEntry();
    quitButton_->setFocus();
    announceChange(outcome);
}

void Ajout_Indicatif::readyForNextEntry()
{
    // A second click would store six empty boxes: only the entry chain enables it again.
    disableSave();
    setBackgroundColour(callsignBox_, kFieldOpenColour);
    callsignBox_->clear();
    callsignBox_->setReadOnly(false);
    for (std::size_t i = 1; i < kEntryFieldCount; ++i) {
        boxes_[i]->clear();
        closeBox(boxes_[i]);
    }
}

void Ajout_Indicatif::quitWindow()
{
    const QString today = platform_.today().toString(QStringLiteral("dd/MM/yyyy"));
    const auto confirm = [this](int revision) {
        return platform_.showMessage(this, QString::fromStdString(revisionQuestion(revision)), MessageButtons::YesNo) ==
               MessageAnswer::Yes;
    };
    const EditOutcome outcome =
        shared_.editor.offerRevisionBump(Windows1252::encode(today), confirm, directoryAccess());
    showOutcome(outcome);
    // The window stays open while the file could not be read or rewritten, or is busy.
    if (outcome.kind == EditOutcome::Kind::Busy || outcome.kind == EditOutcome::Kind::WriteRefused)
        return;
    if (outcome.done()) {
        emit shared_.revisionChanged(Windows1252::decode(revisionLabel(outcome.revisionLine)),
                                     Windows1252::decode(revisionDateText(outcome.revisionLine)));
        announceChange(outcome);
    }
    unload();
}

} // namespace dravelin
