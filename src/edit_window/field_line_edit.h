#pragma once

#include "widgets/typing_line_edit.h"

namespace dravelin {

// A field box of the editing window. A typed ";" is dropped: it separates the fields of a
// stored line, so inside a field it would shift every later field.
class FieldLineEdit : public TypingLineEdit {
    Q_OBJECT

public:
    using TypingLineEdit::TypingLineEdit;

private:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace dravelin
