#include "ui/views/problems_model.h"

#include <QStyle>
#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

#include "ui/controls/shown_label.h"
#include "ui/views/free_elsewhere.h"
#include "ui/views/problems_pane.h"
#include "ui/views/problems_rows_diff.h"

namespace tw {
namespace {

// Rows a check's answer takes out are freed here up to this many; past it, on another thread.
constexpr std::size_t kFreedHere = 256;

std::string RuleTag(const Finding& finding) {
    return " [" + finding.rule + "]";
}

}  // namespace

ProblemsModel::ProblemsModel(const QStyle& style, QObject* parent)
    : QAbstractTableModel(parent),
      icons_{SeverityIcon(style, Severity::Note), SeverityIcon(style, Severity::Warning),
             SeverityIcon(style, Severity::Error)} {}

void ProblemsModel::SetFindings(const std::vector<Finding>& findings) {
    Apply(PlanRows(shown_, findings));
    FreeElsewhere(std::move(shownCheck_));
}

// Explorations add few rows, so the copy with them costs little.
void ProblemsModel::ShowCheck(std::shared_ptr<const std::vector<Finding>> check,
                              const std::vector<Finding>& others) {
    if (others.empty()) {
        Apply(PlanRows(shown_, *check));
    } else {
        std::vector<Finding> findings = *check;
        findings.insert(findings.end(), others.begin(), others.end());
        Apply(PlanRows(shown_, findings));
    }
    FreeElsewhere(std::exchange(shownCheck_, std::move(check)));
}

bool ProblemsModel::ApplyPlan(CheckRowsPlan&& plan) {
    if (shownCheck_ == nullptr || shownCheck_ != plan.before) {
        return false;
    }
    Apply(std::move(plan.rows));
    FreeElsewhere(std::exchange(shownCheck_, std::move(plan.after)));
    FreeElsewhere(std::move(plan.before));
    return true;
}

void ProblemsModel::Apply(RowsPlan&& plan) {
    if (plan.isRearranged) {
        Rearrange(std::move(plan));
        return;
    }
    std::size_t next = plan.rows.size();
    for (auto change = plan.changes.rbegin(); change != plan.changes.rend(); ++change) {
        next -= change->added;
        Replace(change->oldAt, change->removed, plan.rows, next, change->added);
    }
}

void ProblemsModel::Replace(std::size_t at, std::size_t removed, std::vector<Finding>& rows,
                            std::size_t from, std::size_t added) {
    const auto first = static_cast<int>(at);
    const auto where = shown_.begin() + static_cast<std::ptrdiff_t>(at);
    if (removed > 0) {
        Count(at, at + removed, -1);
        beginRemoveRows({}, first, first + static_cast<int>(removed) - 1);
        const auto end = where + static_cast<std::ptrdiff_t>(removed);
        if (removed > kFreedHere) {
            FreeElsewhere(std::make_shared<std::vector<Finding>>(std::make_move_iterator(where),
                                                                 std::make_move_iterator(end)));
        }
        shown_.erase(where, end);
        endRemoveRows();
    }
    if (added > 0) {
        beginInsertRows({}, first, first + static_cast<int>(added) - 1);
        const auto taken = rows.begin() + static_cast<std::ptrdiff_t>(from);
        shown_.insert(shown_.begin() + static_cast<std::ptrdiff_t>(at),
                      std::make_move_iterator(taken),
                      std::make_move_iterator(taken + static_cast<std::ptrdiff_t>(added)));
        Count(at, at + added, 1);
        endInsertRows();
    }
}

std::optional<Severity> ProblemsModel::WorstOf(std::int32_t nodeId) const {
    if (!counts_) {
        counts_.emplace();
        Count(0, shown_.size(), 1);
    }
    const auto found = counts_->find(nodeId);
    if (found == counts_->end()) {
        return std::nullopt;
    }
    for (std::size_t severity = found->second.size(); severity-- > 0;) {
        if (found->second[severity] > 0) {
            return static_cast<Severity>(severity);
        }
    }
    return std::nullopt;
}

void ProblemsModel::Count(std::size_t first, std::size_t last, int by) const {
    for (std::size_t i = first; i < last && counts_; ++i) {
        CountRow(shown_[i], by);
    }
}

// A node whose last row goes leaves the table, so the map marks it no more.
void ProblemsModel::CountRow(const Finding& finding, int by) const {
    if (!counts_) {
        return;
    }
    auto& counts = (*counts_)[finding.nodeId];
    std::size_t& count = counts[static_cast<std::size_t>(finding.severity) % counts.size()];
    count = by > 0 ? count + 1 : count - 1;
    if (counts == std::array<std::size_t, 3>{}) {
        counts_->erase(finding.nodeId);
    }
}

// One pass puts every row where it goes. A change of layout cannot change how many rows
// there are, so the rows the new check has more are put in blank before it, and those it has
// fewer taken out blank after it: one run in or out, however many places changed.
void ProblemsModel::Rearrange(RowsPlan&& plan) {
    const std::size_t oldRows = plan.places.size();
    const std::size_t newRows = plan.sources.size();
    if (newRows > oldRows) {
        beginInsertRows({}, static_cast<int>(oldRows), static_cast<int>(newRows) - 1);
        shown_.insert(shown_.begin() + static_cast<std::ptrdiff_t>(oldRows), newRows - oldRows,
                      Finding{});
        endInsertRows();
    }
    for (std::size_t row : plan.gone) {
        CountRow(shown_[row], -1);
    }
    for (const Finding& row : plan.rows) {
        CountRow(row, 1);
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const auto row = static_cast<std::size_t>(index.row());
        const std::size_t place = row < oldRows ? plan.places[row] : row;
        after.push_back(place == kNoPlace ? QModelIndex()
                                          : this->index(static_cast<int>(place), index.column()));
    }
    std::vector<Finding> ordered;
    ordered.reserve(shown_.size());
    for (std::size_t source : plan.sources) {
        ordered.push_back(
            std::move(source < oldRows ? shown_[source] : plan.rows[source - oldRows]));
    }
    const std::size_t checkRows = std::max(oldRows, newRows);
    ordered.resize(checkRows);
    for (std::size_t row = checkRows; row < shown_.size(); ++row) {
        ordered.push_back(std::move(shown_[row]));
    }
    FreeElsewhere(
        std::make_shared<std::vector<Finding>>(std::exchange(shown_, std::move(ordered))));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    if (newRows < oldRows) {
        beginRemoveRows({}, static_cast<int>(newRows), static_cast<int>(oldRows) - 1);
        const auto first = shown_.begin() + static_cast<std::ptrdiff_t>(newRows);
        shown_.erase(first, first + static_cast<std::ptrdiff_t>(oldRows - newRows));
        endRemoveRows();
    }
}

int ProblemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int ProblemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ProblemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= shown_.size()) {
        return {};
    }
    const Finding& finding = shown_[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        switch (column) {
            case kSeverity:
                return QString::fromLatin1(SeverityName(finding.severity));
            case kNode:
                return ShownLabel(finding.nodeLabel);
            case kMessage:
                // The rule stays in sight however long the message, which may quote a name.
                return ShownLabel(finding.message) + QString::fromStdString(RuleTag(finding));
            default:
                return {};
        }
    }
    if (role == Qt::DecorationRole && column == kSeverity) {
        return icons_[static_cast<std::size_t>(finding.severity) % std::size(icons_)];
    }
    if (role == Qt::ToolTipRole && column == kMessage) {
        return ShownToolTip(finding.message + RuleTag(finding));
    }
    return {};
}

QVariant ProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    static const char* const kCaptions[] = {"Severity", "Node", "Message"};
    return section >= 0 && section < kColumns ? QString(kCaptions[section]) : QVariant();
}

}  // namespace tw
