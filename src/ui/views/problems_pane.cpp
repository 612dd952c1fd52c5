#include "ui/views/problems_pane.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/controls/shown_label.h"

namespace tw {
namespace {

constexpr int kNodeRole = Qt::UserRole + 1;
constexpr int kItemRole = Qt::UserRole + 2;
constexpr int kIndexRole = Qt::UserRole + 3;
constexpr int kVisibleRows = 6;
constexpr std::size_t kMostRowsRemovedInPlace = 512;

bool SameFinding(const Finding& a, const Finding& b) {
    return a.rule == b.rule && a.severity == b.severity && a.nodeId == b.nodeId &&
           a.nodeLabel == b.nodeLabel && a.item == b.item && a.index == b.index &&
           a.message == b.message;
}

// How many findings the two lists share at their start and, after that, at their end.
std::pair<std::size_t, std::size_t> UnchangedEnds(const std::vector<Finding>& before,
                                                  const std::vector<Finding>& after) {
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && SameFinding(before[head], after[head])) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < shorter - head &&
           SameFinding(before[before.size() - 1 - tail], after[after.size() - 1 - tail])) {
        ++tail;
    }
    return {head, tail};
}

}  // namespace

QIcon SeverityIcon(const QStyle& style, Severity severity) {
    switch (severity) {
        case Severity::Error:
            return style.standardIcon(QStyle::SP_MessageBoxCritical);
        case Severity::Warning:
            return style.standardIcon(QStyle::SP_MessageBoxWarning);
        case Severity::Note:
            return style.standardIcon(QStyle::SP_MessageBoxInformation);
    }
    return {};
}

ProblemsPane::ProblemsPane(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    caption_ = new QLabel("&Problems:", this);
    list_ = new QTreeWidget(this);
    list_->setObjectName("problemsList");
    list_->setHeaderLabels({"Severity", "Node", "Message"});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->header()->setStretchLastSection(true);
    list_->setColumnWidth(0, 90);
    list_->setColumnWidth(1, 200);
    // A few rows at first: the tree, the text and the lists keep the window's height until
    // the writer moves the splitter above the pane.
    list_->setMinimumHeight(list_->fontMetrics().lineSpacing() * (kVisibleRows + 2));
    list_->installEventFilter(this);
    caption_->setBuddy(list_);
    list_->setAccessibleName("Problems");
    layout->addWidget(caption_);
    layout->addWidget(list_, 1);
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Activate(item); });
}

bool ProblemsPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        if (leave_) {
            leave_();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Only the rows between the unchanged head and tail of the list are made again: after an
// edit of one node that is a handful of rows, however many findings the dialogue has.
void ProblemsPane::SetFindings(const std::vector<Finding>& findings) {
    auto [head, tail] = UnchangedEnds(shown_, findings);
    if (head == findings.size() && head == shown_.size()) {
        return;
    }
    if (shown_.size() - head - tail > kMostRowsRemovedInPlace) {
        head = tail = 0;  // taking many rows out of the middle costs more than a new list
    }
    const std::size_t removed = shown_.size() - head - tail;
    const std::size_t added = findings.size() - head - tail;
    list_->setUpdatesEnabled(false);
    if (removed == shown_.size()) {
        list_->clear();
    } else if (removed > 0) {
        list_->model()->removeRows(static_cast<int>(head), static_cast<int>(removed));
    }
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(added));
    for (std::size_t i = head; i < head + added; ++i) {
        items.push_back(MakeRow(findings[i]));
    }
    list_->insertTopLevelItems(static_cast<int>(head), items);
    list_->setUpdatesEnabled(true);
    KeepShown(findings, head, removed, added);
}

// shown_ takes the new middle; the node pointers go, as the node may be gone by the next
// check.
void ProblemsPane::KeepShown(const std::vector<Finding>& findings, std::size_t head,
                             std::size_t removed, std::size_t added) {
    const auto at = shown_.begin() + static_cast<std::ptrdiff_t>(head);
    shown_.erase(at, at + static_cast<std::ptrdiff_t>(removed));
    const auto from = findings.begin() + static_cast<std::ptrdiff_t>(head);
    shown_.insert(shown_.begin() + static_cast<std::ptrdiff_t>(head), from,
                  from + static_cast<std::ptrdiff_t>(added));
    for (std::size_t i = head; i < head + added; ++i) {
        shown_[i].node = nullptr;
    }
}

QTreeWidgetItem* ProblemsPane::MakeRow(const Finding& finding) const {
    auto* item = new QTreeWidgetItem;
    item->setIcon(0, SeverityIcon(*style(), finding.severity));
    item->setText(0, QString::fromLatin1(SeverityName(finding.severity)));
    item->setText(1, ShownLabel(finding.nodeLabel));
    // The rule stays in sight however long the message, which may quote a whole name.
    const std::string rule = " [" + finding.rule + "]";
    item->setText(2, ShownLabel(finding.message) + QString::fromStdString(rule));
    item->setToolTip(2, ShownToolTip(finding.message + rule));
    item->setData(0, kNodeRole, finding.nodeId);
    item->setData(0, kItemRole, static_cast<int>(finding.item));
    item->setData(0, kIndexRole, static_cast<qulonglong>(finding.index));
    return item;
}

void ProblemsPane::Activate(QTreeWidgetItem* item) {
    if (item == nullptr || !activate_) {
        return;
    }
    activate_(item->data(0, kNodeRole).toInt(),
              static_cast<ItemKind>(item->data(0, kItemRole).toInt()),
              static_cast<std::size_t>(item->data(0, kIndexRole).toULongLong()));
}

}  // namespace tw
