#include "ui/views/problems_model.h"

#include <QStyle>

#include "ui/controls/shown_label.h"
#include "ui/views/problems_pane.h"
#include "ui/views/problems_rows_diff.h"

namespace tw {
namespace {

// Finding the fewest rows out and in costs (rows + edits) * edits at worst.
constexpr std::size_t kMostRowEdits = 256;

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
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        Replace(change->oldAt, change->removed, findings.data() + change->newAt, change->added);
    }
}

void ProblemsModel::Replace(std::size_t at, std::size_t removed, const Finding* from,
                            std::size_t added) {
    const auto first = static_cast<int>(at);
    const auto where = shown_.begin() + static_cast<std::ptrdiff_t>(at);
    if (removed > 0) {
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
        endInsertRows();
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
