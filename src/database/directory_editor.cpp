#include "database/directory_editor.h"

#include "database/append.h"
#include "database/entry_key.h"
#include "database/entry_operations.h"
#include "database/revision_line.h"
#include "database/text_bytes.h"

namespace dravelin {

namespace {

EditOutcome outcomeOf(EditOutcome::Kind kind, EditAction action)
{
    EditOutcome outcome;
    outcome.kind = kind;
    outcome.action = action;
    return outcome;
}

EditOutcome refusedWrite(WriteProblem problem, EditAction action)
{
    EditOutcome outcome = outcomeOf(EditOutcome::Kind::WriteRefused, action);
    outcome.problem = problem;
    return outcome;
}

EditOutcome refusedRewrite(const RewriteResult& result, EditAction action)
{
    EditOutcome outcome = refusedWrite(result.problem, action);
    outcome.scratchName = result.scratchName;
    return outcome;
}

} // namespace

std::optional<EditOutcome> fieldRefusal(EntryField field, const TypedField& typed)
{
    std::string rule = fieldRejection(field, typed.bytes);
    if (rule.empty() && typed.storable)
        return std::nullopt;
    // A character the file cannot hold would be written as "?" without a word.
    EditOutcome outcome = outcomeOf(EditOutcome::Kind::FieldRefused, EditAction::Save);
    outcome.field = field;
    outcome.fieldRule = std::move(rule);
    return outcome;
}

void DirectoryEditor::windowLoaded()
{
    modified_ = false;
    // A modification begun before the window was unloaded must not turn the next save of
    // this opening into a replacement.
    modificationKey_.reset();
    shownKey_.reset();
}

void DirectoryEditor::entryShown(std::string key)
{
    shownKey_ = std::move(key);
    // Only Modifier on this entry, then the entry chain, lead to a save again.
    modificationKey_.reset();
}

std::optional<ExpertLookup> DirectoryEditor::lookUp(std::string_view key, const DirectoryAccess& access)
{
    Operation operation(*this);
    if (!operation.started())
        return std::nullopt;
    return lookUpEntry(directoryFilePath(access.programFolder), key, access.afterFirstLine, *access.files);
}

EditOutcome DirectoryEditor::startNewEntry()
{
    // The buttons wait while an operation on the file lets pending events run.
    if (busy_)
        return outcomeOf(EditOutcome::Kind::Busy, EditAction::Save);
    // A new entry is appended, never put in place of the one a pending modification named.
    modificationKey_.reset();
    shownKey_.reset();
    return {};
}

EditOutcome DirectoryEditor::startModification()
{
    if (busy_)
        return outcomeOf(EditOutcome::Kind::Busy, EditAction::Save);
    // The entry replaced is the one shown now, not the line selected at the time of the save.
    if (!shownKey_)
        return outcomeOf(EditOutcome::Kind::NoEntryShown, EditAction::Save);
    modificationKey_ = shownKey_;
    EditOutcome outcome;
    outcome.key = *shownKey_;
    return outcome;
}

EditOutcome DirectoryEditor::store(const TypedEntry& entry, const DirectoryAccess& access)
{
    Operation operation(*this);
    if (!operation.started())
        return outcomeOf(EditOutcome::Kind::Busy, EditAction::Save);

    // A passed box may have been changed, or pasted into, without Enter: all six are checked
    // again so that nothing the entry chain would refuse reaches the file.
    std::array<std::string, kEntryFieldCount> fields;
    for (std::size_t i = 0; i < kEntryFieldCount; ++i) {
        if (std::optional<EditOutcome> refusal = fieldRefusal(static_cast<EntryField>(i), entry[i]))
            return *refusal;
        fields[i] = entry[i].bytes;
    }
    const std::string recordLine = joinRecordFields(fields);

    EditOutcome outcome;
    if (modificationKey_) {
        outcome.key = *modificationKey_;
        const RewriteResult result =
            replaceEntry(access.programFolder, outcome.key, recordLine, access.afterFirstLine, *access.files);
        if (result.problem != WriteProblem::None)
            return refusedRewrite(result, EditAction::Save);
        if (result.changedLines == 0) {
            outcome.kind = EditOutcome::Kind::EntryNotFound;
            return outcome;
        }
        outcome.changedLines = result.changedLines;
    } else {
        const WriteProblem problem = appendRecordLine(access.programFolder, recordLine, *access.files);
        if (problem != WriteProblem::None)
            return refusedWrite(problem, EditAction::Save);
        outcome.changedLines = 1;
    }
    outcome.storedCallsign = std::string(trimSpaces(fields[static_cast<std::size_t>(EntryField::Callsign)]));
    modified_ = true;
    modificationKey_.reset();
    // The window is ready for the next entry: its boxes are empty.
    shownKey_.reset();
    return outcome;
}

EditOutcome DirectoryEditor::deleteEntry(std::string_view selectedLine, const DirectoryAccess& access)
{
    Operation operation(*this);
    if (!operation.started())
        return outcomeOf(EditOutcome::Kind::Busy, EditAction::Delete);
    // The entry shown in the window, whatever line has been selected since; with none shown,
    // the line selected in the main window.
    EditOutcome outcome = outcomeOf(EditOutcome::Kind::Done, EditAction::Delete);
    outcome.key = shownKey_ ? *shownKey_ : std::string(entryKey(selectedLine));
    const RewriteResult result =
        dravelin::deleteEntry(access.programFolder, outcome.key, access.afterFirstLine, *access.files);
    if (result.problem != WriteProblem::None)
        return refusedRewrite(result, EditAction::Delete);
    if (result.changedLines == 0)
        outcome.kind = EditOutcome::Kind::EntryNotFound;
    outcome.changedLines = result.changedLines;
    // The window's boxes are emptied either way.
    shownKey_.reset();
    modificationKey_.reset();
    return outcome;
}

EditOutcome DirectoryEditor::offerRevisionBump(std::string_view dateText,
                                               const std::function<bool(int revision)>& confirm,
                                               const DirectoryAccess& access)
{
    if (busy_)
        return outcomeOf(EditOutcome::Kind::Busy, EditAction::RaiseRevision);
    if (!modified_)
        return outcomeOf(EditOutcome::Kind::NothingToRaise, EditAction::RaiseRevision);
    return raiseRevision(dateText, confirm, access);
}

EditOutcome DirectoryEditor::raiseRevision(std::string_view dateText, const std::function<bool(int revision)>& confirm,
                                           const DirectoryAccess& access)
{
    Operation operation(*this);
    if (!operation.started())
        return outcomeOf(EditOutcome::Kind::Busy, EditAction::RaiseRevision);

    const FirstLine first = readRevisionLine(directoryFilePath(access.programFolder), *access.files);
    if (first.problem != FileProblem::None)
        return refusedWrite(writeProblemFor(first.problem), EditAction::RaiseRevision);
    if (!first.present)
        return refusedWrite(WriteProblem::DirectoryEmpty, EditAction::RaiseRevision);

    EditOutcome outcome = outcomeOf(EditOutcome::Kind::Done, EditAction::RaiseRevision);
    outcome.revision = revisionNumber(first.text);
    const std::optional<std::string> raised = raisedRevisionLine(first.text, dateText);
    if (!raised) {
        outcome.kind = EditOutcome::Kind::RevisionLimit;
        return outcome;
    }
    if (confirm && !confirm(outcome.revision)) {
        outcome.kind = EditOutcome::Kind::Declined;
        return outcome;
    }
    // Another copy of the program may have raised it while the question was asked.
    const RewriteResult result = replaceRevisionLine(access.programFolder, *raised, *access.files, first.text);
    if (result.problem != WriteProblem::None)
        return refusedRewrite(result, EditAction::RaiseRevision);
    outcome.revisionLine = *raised;
    return outcome;
}

} // namespace dravelin
