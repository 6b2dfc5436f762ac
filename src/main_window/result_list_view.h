#pragma once

#include <QListView>

namespace dravelin {

// The result list. It tells when the user picks a line, with the mouse or by moving with the
// keyboard (or Space on the line it stands on); a new search, or the focus arriving, moves
// the current line without telling. Screen readers are told the current line when the
// focus arrives, so that the first Down is heard to leave the line they spoke.
class ResultListView : public QListView {
    Q_OBJECT

public:
    explicit ResultListView(QWidget* parent = nullptr);

    // Where the text of the lines starts, in the view's own coordinates, with the sideways
    // scroll applied: the column heading follows it.
    int textLeft() const;

signals:
    void lineClicked();
    // The lines moved sideways, or their start moved with the view.
    void textLeftChanged();

private:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void tellCurrentLine();
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace dravelin
