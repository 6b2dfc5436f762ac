#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "database/entry_fields.h"
#include "database/write_problem.h"

namespace dravelin {

// What the user wanted when a change to the directory file failed.
enum class EditAction { Save, Delete, RaiseRevision };

// One field as typed: its Windows-1252 bytes, and whether every character had a byte.
struct TypedField {
    std::string bytes;
    bool storable = true;
};
using TypedEntry = std::array<TypedField, kEntryFieldCount>;

// What became of one editing operation.
struct EditOutcome {
    enum class Kind {
        Done,
        Busy,           // another operation on the file is under way: nothing was done, nothing to say
        FieldRefused,   // a field breaks the entry chain's rules: `field`
        NoEntryShown,   // Modifier with no entry in the window
        EntryNotFound,  // no line bears `key`; a delete goes on as if done
        WriteRefused,   // `problem`; the file is as it was
        RevisionLimit,  // the revision is 999 already
        Declined,       // the user answered No to the revision question
        NothingToRaise, // nothing was stored since the window was loaded: no question
    };
    Kind kind = Kind::Done;
    EditAction action = EditAction::Save;
    WriteProblem problem = WriteProblem::None;
    EntryField field = EntryField::Callsign;
    std::string fieldRule;      // the rule's message for FieldRefused (empty: the field is unstorable)
    std::string key;            // the entry key acted on
    std::string storedCallsign; // the callsign of the entry a store wrote
    std::size_t changedLines = 0;
    int revision = 0;         // the revision before a bump
    std::string revisionLine; // the new revision line after a bump
    std::string scratchName;  // the rewrite's scratch file as messages name it; empty: Temporaire.txt

    bool done() const { return kind == Kind::Done; }
};

} // namespace dravelin
