#pragma once

#include <QString>
#include <QStringList>

#include "edit_window/ajout_indicatif.h"
#include "edit_window/field_line_edit.h"
#include "support/directory_fixture.h"

class QPushButton;

namespace dravelin::test {

// The result line of an entry as Liste_OM shows it.
QString resultLine(const QString& callsign, const QString& name, const QString& rest);

// Presses Ctrl+Shift+E in the widget of the main window that has the focus.
void pressExpertChord(MainHarness& main);
// Clicks, or double-clicks, the line of Liste_OM at `row`.
void clickLine(MainHarness& main, int row);
void doubleClickLine(MainHarness& main, int row);

// The editing window of a main window, once the expert display has created it.
class Editing {
public:
    explicit Editing(MainHarness& main) : main_(main) {}

    // Searches the callsign, clicks its first line, shows Expert and presses it.
    void open(const QString& callsign);

    Ajout_Indicatif* window() const { return main_.window->editingWindow(); }
    template <typename T>
    T* control(const char* objectName) const
    {
        return window() ? window()->findChild<T*>(QString::fromLatin1(objectName)) : nullptr;
    }
    FieldLineEdit* box(const char* objectName) const { return control<FieldLineEdit>(objectName); }

    void click(const char* button) const;
    // Empties the box, types the text key by key and presses Enter.
    void enter(const char* box, const QString& text) const;
    // Enters the six fields in turn, as far as the chain lets the user go.
    void walk(const QStringList& sixFields) const;
    // The texts of Ind_B, Nom_B, Pre_B, Adr_B, Vil_B and Cod_B.
    QStringList boxTexts() const;

private:
    MainHarness& main_;
};

// A box open for input: one that shows an entry read-only is still enabled and in the tab order.
inline bool isOpenForInput(const QLineEdit* box)
{
    return box->isEnabled() && !box->isReadOnly();
}

// The names of the six boxes in the order of the fields.
extern const char* const kBoxNames[6];

} // namespace dravelin::test
