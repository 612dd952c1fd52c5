// The tree's index of its items by value, and the operations that change a large tree
// in place: items made, put in and reordered where they belong, the rest left alone.

#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <vector>

#include "ui/controls/enhanced_tree_ctrl.h"

namespace tw {
namespace {

// An item that sorts by a rank its owner gives it rather than by its text, so that the
// tree can take an order decided elsewhere in one pass of the model's own sort.
class RankedTreeItem : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;

    RankedTreeItem() : QTreeWidgetItem(kType) {}
    void SetRank(int rank) { rank_ = rank; }

    bool operator<(const QTreeWidgetItem& other) const override {
        if (other.type() != kType) {
            return QTreeWidgetItem::operator<(other);
        }
        return rank_ < static_cast<const RankedTreeItem&>(other).rank_;
    }

private:
    int rank_ = 0;
};

}  // namespace

QTreeWidgetItem* EnhancedTreeCtrl::NewItem() {
    return new RankedTreeItem;
}

// Items come and go through the model, whatever the call that moved them, so the index
// listens there.
void EnhancedTreeCtrl::setupItemIndex() {
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& parent, int first, int last) {
                IndexSubtrees(parent, first, last, true);
            });
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex& parent, int first, int last) {
                IndexSubtrees(parent, first, last, false);
            });
    connect(model(), &QAbstractItemModel::modelReset, this, [this] { byValue_.clear(); });
}

void EnhancedTreeCtrl::IndexSubtrees(const QModelIndex& parent, int first, int last, bool add) {
    QTreeWidgetItem* above = parent.isValid() ? itemFromIndex(parent) : invisibleRootItem();
    std::vector<QTreeWidgetItem*> pending;
    for (int row = first; above != nullptr && row <= last; ++row) {
        pending.push_back(above->child(row));
    }
    while (!pending.empty()) {
        QTreeWidgetItem* item = pending.back();
        pending.pop_back();
        if (item == nullptr) {
            continue;
        }
        const int value = ItemValue(item);
        if (add) {
            byValue_[value] = item;
        } else if (const auto found = byValue_.find(value);
                   found != byValue_.end() && found->second == item) {
            byValue_.erase(found);
        }
        for (int i = 0; i < item->childCount(); ++i) {
            pending.push_back(item->child(i));
        }
    }
}

QTreeWidgetItem* EnhancedTreeCtrl::FindItem(int value) const {
    const auto found = byValue_.find(value);
    return found != byValue_.end() ? found->second : nullptr;
}

void EnhancedTreeCtrl::SetItemValue(QTreeWidgetItem* item, int value) {
    auto* tree = qobject_cast<EnhancedTreeCtrl*>(item->treeWidget());
    if (tree != nullptr) {
        const auto found = tree->byValue_.find(ItemValue(item));
        if (found != tree->byValue_.end() && found->second == item) {
            tree->byValue_.erase(found);
        }
        tree->byValue_[value] = item;
    }
    item->setData(0, kItemValueRole, value);
}

QTreeWidgetItem* EnhancedTreeCtrl::MakeItem(const QString& text, int image, int selectedImage,
                                            int value) {
    QTreeWidgetItem* item = NewItem();
    item->setText(0, text);
    SetItemImage(item, image, selectedImage);
    SetItemValue(item, value);
    return item;
}

void EnhancedTreeCtrl::InsertItemAt(QTreeWidgetItem* item, QTreeWidgetItem* parent, int index) {
    QTreeWidgetItem* above = parent != nullptr ? parent : invisibleRootItem();
    above->insertChild(std::clamp(index, 0, above->childCount()), item);
}

// With a layout pending the view only notes each expanded item; without, every expansion
// would lay out the rows below it at once.
void EnhancedTreeCtrl::ExpandItems(const std::vector<QTreeWidgetItem*>& items) {
    if (items.empty()) {
        return;
    }
    scheduleDelayedItemsLayout();
    for (QTreeWidgetItem* item : items) {
        item->setExpanded(true);
    }
}

// Qt's own expandAll and collapseAll lay out every row in one go and grew faster than the
// tree. With a layout pending, opening or closing an item only records it; each slice asks
// for the layout again, since progress may have let the loop run the last one.
void EnhancedTreeCtrl::ExpandAll(bool expand,
                                 const std::function<void(int done, int total)>& progress) {
    constexpr int kItemsPerSlice = 4096;
    std::vector<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(this); *it != nullptr; ++it) {
        if (expand ? (*it)->childCount() > 0 : (*it)->isExpanded()) {
            items.push_back(*it);
        }
    }
    const auto total = static_cast<int>(items.size());
    for (int i = 0; i < total; ++i) {
        if (i % kItemsPerSlice == 0) {
            if (i > 0 && progress) {
                progress(i, total);
            }
            scheduleDelayedItemsLayout();
        }
        items[static_cast<std::size_t>(i)]->setExpanded(expand);
    }
}

void EnhancedTreeCtrl::SetItemRank(QTreeWidgetItem* item, int rank) {
    if (item != nullptr && item->type() == RankedTreeItem::kType) {
        static_cast<RankedTreeItem*>(item)->SetRank(rank);
    }
}

// The model's sort keeps every item, with its expanded state and the selection; it only
// tells the view that the layout changed.
void EnhancedTreeCtrl::SortChildrenByRank(QTreeWidgetItem* parent) {
    if (parent == nullptr) {
        model()->sort(0, Qt::AscendingOrder);
    } else {
        parent->sortChildren(0, Qt::AscendingOrder);
    }
}

}  // namespace tw
