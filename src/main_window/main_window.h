#pragma once

#include <QByteArray>
#include <QMainWindow>
#include <QRect>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "database/criterion.h"
#include "database/list_output.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QRadioButton;

namespace dravelin {

// The bytes of a saved list, or a French description of why they could not be made.
struct ListBytes {
    QByteArray bytes;
    std::optional<QString> failure;
};
// Makes the bytes of a saved list from the list's lines.
using ListContents = std::function<ListBytes(const ResultRows&)>;

class Ajout_Indicatif;
class KeyboardMenuBar;
struct ListedEntry;
class Platform;
class ResultListModel;
class SpokenNotice;
class Sous_Programmes;
class TypingLineEdit;

// The start-up window and the place of every search.
class Main : public QMainWindow {
    Q_OBJECT

public:
    Main(Platform& platform, Sous_Programmes& shared, QWidget* parent = nullptr);
    ~Main() override;

    // The start-up steps. False when the directory file cannot be read: the user has been
    // told, the window was not shown and nothing was written to the settings.
    bool loadWindow();

    // The search over the directory file with the selected criterion and the query box.
    void Affichage();
    // Looks the entry of the selected line up and shows it in the editing window.
    void Aff_Expert();

    ResultListModel& resultModel() { return *resultModel_; }
    // The editing window, once the expert display has created it.
    Ajout_Indicatif* editingWindow() const { return editingWindow_.get(); }

private:
    // A control's designed place and which edges of the client area it follows.
    struct Placement {
        QWidget* control;
        QRect designed;
        bool followsRight;  // moves with the right edge
        bool followsBottom; // moves with the bottom edge
        bool growsWide;
        bool growsTall;
    };

    // Controls, menus and their wiring (main_window_layout.cpp).
    void buildControls();
    void buildMenus();
    void connectControls();
    // "Quitter Dravelin": the editing window leaves through its own Quitter, then this window
    // closes, and with the last window the program ends.
    void quitProgram();

    // The layout that follows the window's size (main_window_geometry.cpp).
    bool eventFilter(QObject* watched, QEvent* event) override;
    void recordDesignedLayout();
    void followClientSize();
    // Narrower than one row of the search band: the prompt and the query box go under the
    // criteria, so that the window never scrolls sideways.
    void placeSearchOnSecondRow(int rowHeight);
    int secondRowHeight() const;
    void fitTitle();
    void placeHeading();
    void fitToScreen();

    // Criteria, query entry and search (main_window_search.cpp).
    void selectCriterion(const QString& prompt);
    void queryEntered();
    Criterion selectedCriterion() const;
    std::filesystem::path directoryFile() const;
    void showMessage(const QString& text);

    // Saving, printing and the Help menu (main_window_output.cpp, main_window_help.cpp).
    void connectOutputMenus();
    void connectHelpMenu();
    // The one save routine of every format: proposed name, dialog, checks, the question
    // before replacing a file, whole file or nothing. `contents` makes the file's bytes from
    // the list; `extension` ends every name written (nothing added when it is empty).
    void saveList(const QString& filter, const ListContents& contents, const QString& extension = QString());
    void printList();

    // Labels of the listed entries on a sheet (main_window_labels.cpp).
    void connectLabelMenu();
    void printLabels();
    // The fields and orange-list flag of every line of the list, in its order: what the labels
    // are made from.
    std::vector<ListedEntry> listedEntries() const;
    void showHistory();
    void showUserManual();
    void showAbout();

    // Result selection and the expert display (main_window_expert.cpp).
    void connectExpert();
    void lineClicked();
    void lineDoubleClicked();
    void toggleExpert();

    Platform& platform_;
    Sous_Programmes& shared_;
    ResultListModel* resultModel_ = nullptr;
    // The callsign of the row picked last, taken from the row's entry when it is picked: the
    // entry the expert display shows, even after a new search has replaced the list.
    std::string selectedKey_;
    // Parentless, so that it stays open when the main window is closed.
    std::unique_ptr<Ajout_Indicatif> editingWindow_;

    std::vector<Placement> placements_;
    QSize designedClient_;
    int oneRowWidth_ = 0; // the narrowest client area with the search band on one row
    QWidget* headingStrip_ = nullptr;

    QWidget* client_ = nullptr;
    QGroupBox* titleFrame_ = nullptr;
    QGroupBox* searchFrame_ = nullptr;
    QGroupBox* listFrame_ = nullptr;
    QGroupBox* revisionFrame_ = nullptr;
    QGroupBox* authorFrame_ = nullptr;
    QLabel* revisionLabel_ = nullptr;
    QLabel* revisionDateLabel_ = nullptr;
    QLabel* copyrightLabel_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* searchByLabel_ = nullptr;
    QLabel* promptLabel_ = nullptr;
    QLabel* listHeading_ = nullptr;
    QFrame* ruleLine_ = nullptr;
    QListView* resultList_ = nullptr;
    QRadioButton* callsignOption_ = nullptr;
    QRadioButton* surnameOption_ = nullptr;
    QRadioButton* cityOption_ = nullptr;
    QRadioButton* departmentOption_ = nullptr;
    TypingLineEdit* queryBox_ = nullptr;
    QPushButton* expertButton_ = nullptr;
    // Tells screen readers the outcome of a search without taking the focus from the query box.
    SpokenNotice* notice_ = nullptr;

    KeyboardMenuBar* menuBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* printListAction_ = nullptr;
    QMenu* saveMenu_ = nullptr;
    QAction* saveTextAction_ = nullptr;
    QAction* saveCsvAction_ = nullptr;
    QAction* saveSpreadsheetAction_ = nullptr;
    QAction* printLabelsAction_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* historyAction_ = nullptr;
    QAction* manualAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
};

} // namespace dravelin
