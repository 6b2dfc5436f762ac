#pragma once

#include <QListView>

namespace dravelin {

// The result list. It tells when the user picks a line, with the mouse or by moving with the
// keyboard (or Space on the line it stands on); a new search, or the focus arriving, moves
// the current line without telling.
class ResultListView : public QListView {
    Q_OBJECT

public:
    using QListView::QListView;

signals:
    void lineClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace dravelin
