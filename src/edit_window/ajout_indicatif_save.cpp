#include "edit_window/ajout_indicatif.h"

#include <QPushButton>

#include "database/append.h"
#include "database/directory_file.h"
#include "database/entry_operations.h"
#include "database/revision_line.h"
#include "widgets/spoken_notice.h"
#include "edit_window/field_line_edit.h"
#include "edit_window/write_messages.h"
#include "platform/platform.h"
#include "shared/directory_operation.h"
#include "shared/sous_programmes.h"
#include "widgets/colours.h"

namespace dravelin {

void Ajout_Indicatif::storeEntry()
{
    DirectoryOperation operation(shared_);
    if (!operation.started())
        return;

    // A passed box may have been changed, or pasted into, without Enter: check all six again
    // so that nothing the chain would refuse reaches the file.
    std::array<std::string, kEntryFieldCount> fields;
    for (std::size_t i = 0; i < kEntryFieldCount; ++i) {
        if (!fieldAccepted(static_cast<EntryField>(i))) {
            boxes_[i]->setFocus();
            return;
        }
        fields[i] = codec_.encode(boxes_[i]->text());
    }
    const std::string recordLine = joinRecordFields(fields);

    // The boxes keep what was typed until the entry is safely in the file.
    if (shared_.Mode_Modification) {
        const std::string key = shared_.Cle_Modification;
        const RewriteResult result = replaceEntry(programFolder(), key, recordLine,
                                                  [this] { platform_.processPendingEvents(); }, platform_.fileLayer());
        if (result.problem != WriteProblem::None) {
            showMessage(writeProblemMessage(result.problem, EditAction::Save));
            return;
        }
        if (result.changedLines == 0) {
            showMessage(entryNotFoundMessage(key, EditAction::Save));
            return;
        }
    } else {
        const WriteProblem problem = appendRecordLine(programFolder(), recordLine, platform_.fileLayer());
        if (problem != WriteProblem::None) {
            showMessage(writeProblemMessage(problem, EditAction::Save));
            return;
        }
    }

    const QString stored = Ind_B->text().trimmed();
    readyForNextEntry();
    shared_.Base_Modifiee = true;
    shared_.Mode_Modification = false;
    Quitter->setFocus();
    notice_->announce(QStringLiteral("Entrée %1 enregistrée").arg(stored));
}

void Ajout_Indicatif::readyForNextEntry()
{
    // A second click would store six empty boxes: only the entry chain enables it again.
    disableSave();
    setBackgroundColour(Ind_B, kFieldOpenColour);
    Ind_B->clear();
    Ind_B->setReadOnly(false);
    for (std::size_t i = 1; i < kEntryFieldCount; ++i) {
        boxes_[i]->clear();
        closeBox(boxes_[i]);
    }
    shownKey_.reset();
}

void Ajout_Indicatif::quitWindow()
{
    if (offerRevisionBump())
        unload();
}

// Offers the bump when something was stored since the window was loaded. False when the
// window must stay open because the file could not be read or rewritten.
bool Ajout_Indicatif::offerRevisionBump()
{
    DirectoryOperation operation(shared_);
    if (!operation.started())
        return false;
    if (!shared_.Base_Modifiee)
        return true;

    const FirstLine first = readRevisionLine(directoryFilePath(programFolder()));
    if (first.problem != FileProblem::None || !first.present) {
        const WriteProblem problem = first.problem == FileProblem::Missing       ? WriteProblem::DirectoryMissing
                                     : first.problem == FileProblem::NotReadable ? WriteProblem::DirectoryNotReadable
                                     : first.problem == FileProblem::NotRegular  ? WriteProblem::DirectoryNotRegular
                                                                                 : WriteProblem::DirectoryEmpty;
        showMessage(writeProblemMessage(problem, EditAction::RaiseRevision));
        return false;
    }

    const int revision = revisionNumber(first.text);
    const QString today = platform_.today().toString(QStringLiteral("dd/MM/yyyy"));
    const std::optional<std::string> raised = raisedRevisionLine(first.text, codec_.encode(today));
    if (!raised) {
        showMessage(revisionLimitMessage(revision));
        return true;
    }

    const QString prompt = QStringLiteral("La base de donnée est a la révision ") + QString::number(revision) +
                           QStringLiteral(" voulez vous la passer a la révision ") + QStringLiteral(" ") +
                           QString::number(revision + 1);
    if (platform_.showMessage(this, prompt, MessageButtons::YesNo) != MessageAnswer::Yes)
        return true;

    const RewriteResult result = replaceRevisionLine(programFolder(), *raised, platform_.fileLayer(), first.text);
    if (result.problem != WriteProblem::None) {
        showMessage(writeProblemMessage(result.problem, EditAction::RaiseRevision));
        return false;
    }
    emit shared_.revisionChanged(codec_.decode(revisionLabel(*raised)), codec_.decode(revisionDateText(*raised)));
    notice_->announce(QStringLiteral("Révision %1 enregistrée").arg(revision + 1));
    return true;
}

} // namespace dravelin
