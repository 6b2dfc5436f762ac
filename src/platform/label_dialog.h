#pragma once

#include <QDialog>

#include "platform/platform.h"

class QComboBox;
class QSpinBox;

namespace dravelin {

// "Étiquettes": the sheet of labels and the first label to use on it, asked before the
// printer dialog. The first label can go no further than the labels of the sheet chosen.
class LabelDialog : public QDialog {
    Q_OBJECT

public:
    LabelDialog(const LabelChoice& proposed, QWidget* parent = nullptr);

    LabelChoice choice() const;

private:
    void sheetChosen(int index);

    QComboBox* Format_Planche = nullptr;
    QSpinBox* Premiere_Etiquette = nullptr;
};

} // namespace dravelin
