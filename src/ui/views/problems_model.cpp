#include "ui/views/problems_model.h"

#include <QStyle>
#include <algorithm>
#include <functional>
#include <utility>

#include "ui/controls/shown_label.h"
#include "ui/views/problems_pane.h"
#include "ui/views/problems_rows_diff.h"

namespace tw {
namespace {

// Finding the fewest rows out and in costs (rows + edits) * edits at worst.
constexpr std::size_t kMostRowEdits = 256;
// Each run taken out moves the rows after it.
constexpr std::size_t kMostRunsTakenOut = 64;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

std::size_t HashOf(const Finding& finding) {
    const std::hash<std::string> text;
    std::size_t hash = text(finding.rule);
    for (std::size_t part :
         {text(finding.message), text(finding.nodeLabel), std::size_t(finding.index),
          static_cast<std::size_t>(finding.nodeId), static_cast<std::size_t>(finding.item),
          static_cast<std::size_t>(finding.severity)}) {
        hash = hash * 1000003u ^ part;
    }
    return hash;
}

// For each new finding the old row that shows it, or kNone.
std::vector<std::size_t> OldRowsOf(const std::vector<Finding>& before,
                                   const std::vector<Finding>& after) {
    std::vector<std::pair<std::size_t, std::size_t>> keys;
    keys.reserve(before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        keys.emplace_back(HashOf(before[i]), i);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<bool> taken(before.size(), false);
    std::vector<std::size_t> from(after.size(), kNone);
    for (std::size_t j = 0; j < after.size(); ++j) {
        const std::size_t hash = HashOf(after[j]);
        auto it = std::lower_bound(keys.begin(), keys.end(), std::make_pair(hash, std::size_t{0}));
        for (; it != keys.end() && it->first == hash; ++it) {
            if (!taken[it->second] && SameFinding(before[it->second], after[j])) {
                taken[it->second] = true;
                from[j] = it->second;
                break;
            }
        }
    }
    return from;
}

std::string RuleTag(const Finding& finding) {
    return " [" + finding.rule + "]";
}

}  // namespace

ProblemsModel::ProblemsModel(const QStyle& style, QObject* parent)
    : QAbstractTableModel(parent),
      icons_{SeverityIcon(style, Severity::Note), SeverityIcon(style, Severity::Warning),
             SeverityIcon(style, Severity::Error)} {}

// The runs are applied last first, so the rows before each keep their numbers.
void ProblemsModel::SetFindings(const std::vector<Finding>& findings) {
    const std::vector<RowsChange> changes = RowsChanges(shown_, findings, kMostRowEdits);
    if (changes.size() == 1 && changes[0].removed + changes[0].added > kMostRowEdits &&
        Rearrange(findings)) {
        return;
    }
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        Replace(change->oldAt, change->removed, findings.data() + change->newAt, change->added);
    }
}

void ProblemsModel::Replace(std::size_t at, std::size_t removed, const Finding* from,
                            std::size_t added) {
    const auto first = static_cast<int>(at);
    const auto where = shown_.begin() + static_cast<std::ptrdiff_t>(at);
    if (removed > 0) {
        Count(at, at + removed, -1);
        beginRemoveRows({}, first, first + static_cast<int>(removed) - 1);
        shown_.erase(where, where + static_cast<std::ptrdiff_t>(removed));
        endRemoveRows();
    }
    if (added > 0) {
        beginInsertRows({}, first, first + static_cast<int>(added) - 1);
        shown_.insert(shown_.begin() + static_cast<std::ptrdiff_t>(at), from, from + added);
        // The node may be gone by the next check.
        for (std::size_t i = at; i < at + added; ++i) {
            shown_[i].node = nullptr;
        }
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

// A node whose last row goes leaves the table, so the map marks it no more.
void ProblemsModel::Count(std::size_t first, std::size_t last, int by) const {
    if (!counts_) {
        return;
    }
    for (std::size_t i = first; i < last; ++i) {
        const Finding& finding = shown_[i];
        auto& counts = (*counts_)[finding.nodeId];
        std::size_t& count = counts[static_cast<std::size_t>(finding.severity) % counts.size()];
        count = by > 0 ? count + 1 : count - 1;
        if (counts == std::array<std::size_t, 3>{}) {
            counts_->erase(finding.nodeId);
        }
    }
}

bool ProblemsModel::Rearrange(const std::vector<Finding>& findings) {
    const std::vector<std::size_t> from = OldRowsOf(shown_, findings);
    std::vector<std::size_t> kept(shown_.size(), kNone);
    for (std::size_t j = 0; j < from.size(); ++j) {
        if (from[j] != kNone) {
            kept[from[j]] = j;
        }
    }
    std::vector<std::pair<std::size_t, std::size_t>> gone;  // runs of old rows: first, count
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (kept[i] != kNone) {
            continue;
        }
        if (!gone.empty() && gone.back().first + gone.back().second == i) {
            ++gone.back().second;
        } else if (gone.size() == kMostRunsTakenOut) {
            return false;
        } else {
            gone.emplace_back(i, 1);
        }
    }
    for (auto run = gone.rbegin(); run != gone.rend(); ++run) {
        Replace(run->first, run->second, nullptr, 0);
    }
    std::erase(kept, kNone);  // now by the rows that are left: where each goes
    std::vector<Finding> added;
    for (std::size_t j = 0; j < from.size(); ++j) {
        if (from[j] == kNone) {
            kept.push_back(j);
            added.push_back(findings[j]);
        }
    }
    Replace(shown_.size(), 0, added.data(), added.size());
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        after.push_back(this->index(static_cast<int>(kept[static_cast<std::size_t>(index.row())]),
                                    index.column()));
    }
    std::vector<Finding> ordered(shown_.size());
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        ordered[kept[i]] = std::move(shown_[i]);
    }
    shown_ = std::move(ordered);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return true;
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
