#pragma once

// The rows of the Problems pane: one finding each, as severity, node and message. A new list
// of findings takes out and puts in only the rows that differ, so the view keeps the current
// row and lays out nothing it does not show.

#include <QAbstractTableModel>
#include <QIcon>
#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "model/check/check_finding.h"

class QStyle;

namespace tw {

class ProblemsModel : public QAbstractTableModel {
public:
    enum Column { kSeverity, kNode, kMessage, kColumns };

    explicit ProblemsModel(const QStyle& style, QObject* parent = nullptr);

    void SetFindings(const std::vector<Finding>& findings);
    // The findings the rows show, their node pointers unset.
    const std::vector<Finding>& Shown() const { return shown_; }
    // The worst severity among the node's rows; none when it has no row. The first call
    // counts every row, and from then on the counts follow the rows that come and go, so the
    // map's marks after a check cost what changed, not the tens of thousands of rows.
    std::optional<Severity> WorstOf(std::int32_t nodeId) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // Many changes, or the same findings in another order (after a sort, say): the rows
    // that went are taken out, those that came are added at the end, and then all are put
    // in the new order as one change of layout. False when that would take too many runs.
    bool Rearrange(const std::vector<Finding>& findings);
    void Replace(std::size_t at, std::size_t removed, const Finding* from, std::size_t added);
    void Count(std::size_t first, std::size_t last, int by) const;

    // What the rows show, to leave them (and the writer's place in them) alone when a check
    // finds the same again.
    std::vector<Finding> shown_;
    // Per node, how many rows of each severity; counted on first use.
    mutable std::optional<std::unordered_map<std::int32_t, std::array<std::size_t, 3>>> counts_;
    QIcon icons_[3];
};

}  // namespace tw
