#pragma once

// The rows of the Problems pane: one finding each, as severity, node and message. A new list
// of findings takes out and puts in only the rows that differ, so the view keeps the current
// row and lays out nothing it does not show.

#include <QAbstractTableModel>
#include <QIcon>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "model/check/check_finding.h"
#include "ui/views/problems_rows_diff.h"

class QStyle;

namespace tw {

class ProblemsModel : public QAbstractTableModel {
public:
    enum Column { kSeverity, kNode, kMessage, kColumns };

    explicit ProblemsModel(const QStyle& style, QObject* parent = nullptr);

    // The rows show these findings; a plan made from a check applies to them no more.
    void SetFindings(const std::vector<Finding>& findings);
    // The rows show the check's findings followed by the others (the exploration's); a plan
    // made from this check to the next applies to them.
    void ShowCheck(std::shared_ptr<const std::vector<Finding>> check,
                   const std::vector<Finding>& others);
    // The rows of the check the plan starts from become those of the check it ends at; the
    // rows after them are left as they are. False, and nothing done, when the rows show
    // another check.
    bool ApplyPlan(CheckRowsPlan&& plan);
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
    // The plan's rows are the first; the rows after those it planned stay as they are.
    void Apply(RowsPlan&& plan);
    void Rearrange(RowsPlan&& plan);
    // Takes out the removed rows at `at` and puts in rows [from, from + added) there.
    void Replace(std::size_t at, std::size_t removed, std::vector<Finding>& rows, std::size_t from,
                 std::size_t added);
    void Count(std::size_t first, std::size_t last, int by) const;
    void CountRow(const Finding& finding, int by) const;

    // What the rows show, to leave them (and the writer's place in them) alone when a check
    // finds the same again.
    std::vector<Finding> shown_;
    // The check whose findings the first rows show, when they show one.
    std::shared_ptr<const std::vector<Finding>> shownCheck_;
    // Per node, how many rows of each severity; counted on first use.
    mutable std::optional<std::unordered_map<std::int32_t, std::array<std::size_t, 3>>> counts_;
    QIcon icons_[3];
};

}  // namespace tw
