#pragma once

#include <QLineEdit>

#include "platform/windows1252.h"

namespace dravelin {

// A one-line box that turns every small letter that the directory's Windows-1252 also writes as
// a capital into that capital as it is typed (pasted text stays as it is), and reports Enter
// instead of taking it as input.
class TypingLineEdit : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

signals:
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Windows1252 codec_;
};

} // namespace dravelin
