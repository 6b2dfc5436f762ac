#pragma once

#include <QAbstractListModel>

#include "database/result_lines.h"
#include "platform/windows1252.h"

namespace dravelin {

// The result list as the view sees it: the found lines stay Windows-1252 bytes in one
// block and are decoded only for the rows on screen.
class ResultListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // Takes a search's sorted lines in one reset.
    void setLines(ResultLines lines);
    void clear();
    const ResultLines& lines() const { return lines_; }

    // A line is shown up to this many characters, then "…". The editing window writes lines
    // of at most about 170; a damaged file can hold one of megabytes, and laying that out
    // would freeze the window at every repaint. lines() keeps every byte.
    static constexpr std::size_t kLongestShownLine = 1000;

    // The number of characters of the longest line as shown; every row answers it under this
    // role, so that a view of uniform rows is as wide as its longest line.
    static constexpr int kLongestLineRole = Qt::UserRole + 1;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    ResultLines lines_;
    std::size_t longestLine_ = 0;
    mutable Windows1252 codec_;
};

} // namespace dravelin
