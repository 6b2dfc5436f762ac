#pragma once

#include <QAbstractListModel>

#include "database/result_rows.h"

namespace dravelin {

// The result list as the view sees it: the found entries stay Windows-1252 record lines in one
// block, and the line a row shows is made and decoded only for the rows on screen.
class ResultListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // Takes a search's sorted rows in one reset.
    void setRows(ResultRows rows);
    void clear();
    // The rows in list order; entryAt gives the six fields of each.
    const ResultRows& rows() const { return rows_; }

    // A line is shown up to this many characters, then "…". The editing window writes lines
    // of at most about 170; a damaged file can hold one of megabytes, and laying that out
    // would freeze the window at every repaint.
    static constexpr std::size_t kLongestShownLine = 1000;

    // The number of characters of the longest line as shown; every row answers it under this
    // role, so that a view of uniform rows is as wide as its longest line.
    static constexpr int kLongestLineRole = Qt::UserRole + 1;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    ResultRows rows_;
};

} // namespace dravelin
