#pragma once

// The rows of the find bar's results: node, where in it, and the line with the match. Rows
// are only added (a slice of the search at a time) or all taken away.

#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace tw {

class FindResultsModel : public QAbstractTableModel {
public:
    struct Row {
        QString node;
        QString where;
        QString line;
    };

    using QAbstractTableModel::QAbstractTableModel;

    // The rows go out of the list at once; their memory is freed a slice per turn of the
    // event loop, so that a new search's first results are not held up.
    void Clear();
    void Append(std::vector<Row> rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Row> rows_;
};

}  // namespace tw
