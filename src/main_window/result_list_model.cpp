#include "main_window/result_list_model.h"

#include <algorithm>
#include <utility>

namespace dravelin {

void ResultListModel::setLines(ResultLines lines)
{
    beginResetModel();
    lines_ = std::move(lines);
    longestLine_ = 0;
    for (std::size_t index = 0; index < lines_.size(); ++index)
        longestLine_ = std::max(longestLine_, lines_[index].size());
    longestLine_ = std::min(longestLine_, kLongestShownLine + 1);
    endResetModel();
}

void ResultListModel::clear()
{
    setLines(ResultLines());
}

int ResultListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == kLongestLineRole)
        return static_cast<int>(longestLine_);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const std::string_view line = lines_[static_cast<std::size_t>(index.row())];
    if (line.size() <= kLongestShownLine)
        return codec_.decode(line);
    return codec_.decode(line.substr(0, kLongestShownLine)) + QChar(0x2026);
}

} // namespace dravelin
