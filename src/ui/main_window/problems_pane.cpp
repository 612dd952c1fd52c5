#include "ui/main_window/problems_pane.h"

#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/platform/text_codec.h"

namespace tw {
namespace {

constexpr int kNodeRole = Qt::UserRole + 1;
constexpr int kItemRole = Qt::UserRole + 2;
constexpr int kIndexRole = Qt::UserRole + 3;
constexpr int kVisibleRows = 6;

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

bool SameFinding(const Finding& a, const Finding& b) {
    return a.rule == b.rule && a.severity == b.severity && a.nodeId == b.nodeId &&
           a.nodeLabel == b.nodeLabel && a.item == b.item && a.index == b.index &&
           a.message == b.message;
}

bool SameFindings(const std::vector<Finding>& a, const std::vector<Finding>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameFinding);
}

}  // namespace

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
    // A few rows: the tree, the text and the lists keep the window's height.
    list_->setFixedHeight(list_->fontMetrics().lineSpacing() * (kVisibleRows + 2));
    caption_->setBuddy(list_);
    list_->setAccessibleName("Problems");
    layout->addWidget(caption_);
    layout->addWidget(list_, 1);
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Activate(item); });
}

void ProblemsPane::SetFindings(const std::vector<Finding>& findings) {
    if (SameFindings(findings, shown_)) {
        return;
    }
    shown_ = findings;
    for (Finding& finding : shown_) {
        finding.node = nullptr;  // the node may be gone by the next check
    }
    list_->setUpdatesEnabled(false);
    list_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(findings.size()));
    for (const Finding& finding : findings) {
        auto* item = new QTreeWidgetItem;
        item->setIcon(0, SeverityIcon(*style(), finding.severity));
        item->setText(0, QString::fromLatin1(SeverityName(finding.severity)));
        item->setText(1, FromBytes(finding.nodeLabel));
        item->setText(
            2, FromBytes(finding.message) + " [" + QString::fromStdString(finding.rule) + "]");
        item->setToolTip(2, item->text(2));
        item->setData(0, kNodeRole, finding.nodeId);
        item->setData(0, kItemRole, static_cast<int>(finding.item));
        item->setData(0, kIndexRole, static_cast<qulonglong>(finding.index));
        items.push_back(item);
    }
    list_->addTopLevelItems(items);
    list_->setUpdatesEnabled(true);
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
