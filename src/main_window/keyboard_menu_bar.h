#pragma once

#include <QMenuBar>
#include <QPointer>

namespace dravelin {

// The main window's menu bar, walked from the keyboard as on the users' home system: F10
// highlights the first menu, the arrows move along the bar, and Entrée (or Down) opens a
// menu or runs a command that sits on the bar itself, such as "Imprimer la liste". The
// widget's own keyboard walk stops there under some styles. Leaving the bar gives the
// focus back to the control that had it.
class KeyboardMenuBar : public QMenuBar {
    Q_OBJECT

public:
    explicit KeyboardMenuBar(QWidget* parent = nullptr);

    // F10: the bar takes the focus with its first menu open.
    void enterFromKeyboard();

private:
    void keyPressEvent(QKeyEvent* event) override;
    void leave();

    QPointer<QWidget> returnFocus_;
};

} // namespace dravelin
