#pragma once

#include <QRadioButton>

namespace dravelin {

// An option button of the criterion group. The arrow keys select the next option of the
// group and then give it the focus; the window is told after that, so that it can send the
// focus on to the query box, as a click does. Its access key clicks it at once, so that the
// focus goes straight to the query box.
class CriterionButton : public QRadioButton {
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;

signals:
    void chosenByKey();

private:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace dravelin
