#pragma once

#include <QLineEdit>

namespace dravelin {

// A one-line box that turns every small letter that the directory's Windows-1252 also writes as
// a capital into that capital as it is typed (pasted text stays as it is), and reports Enter
// instead of taking it as input.
class TypingLineEdit : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    // Public, so that boxes built on this one can pass keys on to it.
    void keyPressEvent(QKeyEvent* event) override;

signals:
    void enterPressed();
};

} // namespace dravelin
