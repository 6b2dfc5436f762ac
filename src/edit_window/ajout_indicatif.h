#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "database/directory_editor.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace dravelin {

struct ExpertEntry;
class FieldLineEdit;
class Platform;
class Sous_Programmes;
class SpokenNotice;

// The editing window: one entry in six boxes, and the buttons that add, modify and delete
// entries and raise the revision. It acts on the main window only through the signals of
// Sous_Programmes.
class Ajout_Indicatif : public QWidget {
    Q_OBJECT

public:
    Ajout_Indicatif(Platform& platform, Sous_Programmes& shared, QWidget* parent = nullptr);
    ~Ajout_Indicatif() override;

    // The load step, when the window is not loaded: every control as at its first opening,
    // the window centred, Base_Modifiee cleared and a pending modification ended.
    void load();
    bool isLoaded() const { return loaded_; }

    // Writes the six boxes with the entry of `key`, as the expert display does; their states
    // stay as they are. A modification under way ends: it was about the entry shown before.
    void fillBoxes(const ExpertEntry& entry, const std::string& key);
    // Shows the window in front, not modal.
    void showWindow();

private:
    void closeEvent(QCloseEvent* event) override;
    void buildControls();
    void connectControls();
    void resetControls();
    void centre();
    void unload();

    // The entry chain.
    void fieldEntered(EntryField field);
    bool fieldAccepted(EntryField field);
    void openControl(QWidget* control);
    void closeBox(FieldLineEdit* fieldBoxControl);
    void disableSave();
    FieldLineEdit* box(EntryField field) const { return boxes_[static_cast<std::size_t>(field)]; }

    // The buttons.
    void startNewEntry();
    void startModification();
    void deleteSelectedEntry();
    void storeEntry();
    void quitWindow();
    void readyForNextEntry();

    // Every outcome of the editor is shown here, and only here.
    void showOutcome(const EditOutcome& outcome);
    // Tells screen readers of a change made to the file, without a dialog.
    void announceChange(const EditOutcome& outcome);
    TypedField typedField(EntryField field);
    DirectoryAccess directoryAccess();

    Platform& platform_;
    Sous_Programmes& shared_;
    bool loaded_ = false;

    QPushButton* modifyButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QGroupBox* headerFrame_ = nullptr;
    QLabel* headerLabel_ = nullptr;
    FieldLineEdit* callsignBox_ = nullptr;
    FieldLineEdit* firstNameBox_ = nullptr;
    FieldLineEdit* addressBox_ = nullptr;
    FieldLineEdit* cityBox_ = nullptr;
    FieldLineEdit* postcodeBox_ = nullptr;
    FieldLineEdit* surnameBox_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QGroupBox* entryFrame_ = nullptr;
    QLabel* callsignLabel_ = nullptr;
    QLabel* cityLabel_ = nullptr;
    QLabel* firstNameLabel_ = nullptr;
    QLabel* surnameLabel_ = nullptr;
    QLabel* postcodeLabel_ = nullptr;
    QLabel* addressLabel_ = nullptr;
    // Tells screen readers what a button changed in the file; the window shows nothing new.
    SpokenNotice* notice_ = nullptr;

    // The six boxes in the order of the fields of a record line.
    std::array<FieldLineEdit*, kEntryFieldCount> boxes_{};
};

} // namespace dravelin
