#pragma once

#include <QLineEdit>

namespace dravelin {

// A one-line box that turns the letters a to z into capitals as they are typed (pasted
// text stays as it is) and reports Enter instead of taking it as input.
class TypingLineEdit : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

signals:
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace dravelin
