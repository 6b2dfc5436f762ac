#include "main_window/result_list_model.h"

#include <algorithm>
#include <utility>

#include "widgets/windows1252_text.h"

namespace dravelin {

void ResultListModel::setRows(ResultRows rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void ResultListModel::clear()
{
    setRows(ResultRows());
}

int ResultListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == kLongestLineRole)
        return static_cast<int>(std::min(rows_.longestDisplayLine(), kLongestShownLine + 1));
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const std::string line = rows_.displayLine(static_cast<std::size_t>(index.row()));
    if (line.size() <= kLongestShownLine)
        return Windows1252::decode(line);
    return Windows1252::decode(std::string_view(line).substr(0, kLongestShownLine)) + QChar(0x2026);
}

} // namespace dravelin
