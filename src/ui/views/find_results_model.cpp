#include "ui/views/find_results_model.h"

#include <iterator>

#include "ui/views/find_free_later.h"

namespace tw {

void FindResultsModel::Clear() {
    if (rows_.empty()) {
        return;
    }
    beginRemoveRows({}, 0, static_cast<int>(rows_.size()) - 1);
    FreeLater(this, rows_);
    endRemoveRows();
}

void FindResultsModel::Append(std::vector<Row> rows) {
    if (rows.empty()) {
        return;
    }
    const auto first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
    endInsertRows();
}

int FindResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FindResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant FindResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= rows_.size() ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) {
        return {};
    }
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
        case 0:
            return row.node;
        case 1:
            return row.where;
        case 2:
            return row.line;
        default:
            return {};
    }
}

QVariant FindResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
        case 0:
            return tr("Node");
        case 1:
            return tr("Where");
        case 2:
            return tr("Line");
        default:
            return {};
    }
}

}  // namespace tw
