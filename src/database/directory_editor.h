#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "database/edit_outcome.h"
#include "database/entry_fields.h"
#include "database/expert_lookup.h"
#include "database/file_layer.h"

namespace dravelin {

// Where the editor's changes go, and what runs once a rewrite has copied the revision line
// (the window's pending events).
struct DirectoryAccess {
    std::filesystem::path programFolder;
    FileLayer* files = &systemFileLayer();
    std::function<void()> afterFirstLine;
};

// The check one field passes at Enter and again when the entry is stored.
std::optional<EditOutcome> fieldRefusal(EntryField field, const TypedField& typed);

// The editing of the directory file, whatever the front-end: the entry in the editing window
// (its key), a pending modification, whether something was stored since the window was loaded
// (Base_Modifiee) and whether an operation on the file is under way. A front-end reads its
// boxes, calls one operation and shows its outcome.
class DirectoryEditor {
public:
    // The window was loaded: nothing stored yet, no modification pending, no entry shown.
    void windowLoaded();
    // The expert display put the entry of `key` in the window; a modification of the entry
    // shown before ends.
    void entryShown(std::string key);

    // The expert display's lookup of the entry of `key`, letting pending events run once the
    // revision line is read; nothing while another operation on the file is under way.
    std::optional<ExpertLookup> lookUp(std::string_view key, const DirectoryAccess& access);

    // Ajouter: boxes emptied for a new entry, which is appended.
    EditOutcome startNewEntry();
    // Modifier: the next store replaces the entry shown now.
    EditOutcome startModification();
    // Enregistrer: appends the entry, or puts it in place of the one being modified.
    EditOutcome store(const TypedEntry& entry, const DirectoryAccess& access);
    // Supprimer: drops every line of the entry shown or, with none shown, of the selected line.
    EditOutcome deleteEntry(std::string_view selectedLine, const DirectoryAccess& access);
    // Quitter: offers the bump when something was stored since the window was loaded.
    EditOutcome offerRevisionBump(std::string_view dateText, const std::function<bool(int revision)>& confirm,
                                  const DirectoryAccess& access);
    // Raises the revision by one, dated `dateText`, once `confirm` agrees (no `confirm`: no
    // question, as the command asks none).
    EditOutcome raiseRevision(std::string_view dateText, const std::function<bool(int revision)>& confirm,
                              const DirectoryAccess& access);

    bool modified() const { return modified_; }
    // Base_Modifiee as a front-end may set it, for a store made outside the editor.
    void setModified(bool modified) { modified_ = modified; }
    bool modificationPending() const { return modificationKey_.has_value(); }
    bool busy() const { return busy_; }
    const std::optional<std::string>& shownKey() const { return shownKey_; }

    // Marks an operation of the file that lets pending events run (a search, a lookup, one of
    // the operations above): another one started meanwhile does not start.
    class Operation {
    public:
        explicit Operation(DirectoryEditor& editor) : editor_(editor), started_(!editor.busy_) { editor_.busy_ = true; }
        ~Operation()
        {
            if (started_)
                editor_.busy_ = false;
        }
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

        bool started() const { return started_; }

    private:
        DirectoryEditor& editor_;
        bool started_;
    };

private:
    std::optional<std::string> shownKey_;
    std::optional<std::string> modificationKey_;
    bool modified_ = false;
    bool busy_ = false;
};

} // namespace dravelin
