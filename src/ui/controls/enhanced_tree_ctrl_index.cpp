// The tree's index of its items by value, and the operations that change a large tree
// in place: items made, put in and reordered where they belong, the rest left alone.

#include <QAbstractItemModel>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <functional>
#include <utility>
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

namespace {

// What Expand All or Collapse All has to open or close: the branches that are in sight
// afterwards are put at the end for Expand All, and at the start for Collapse All. The walk
// itself tells progress every few hundred items (a leaf's expanded state shows nothing and
// is left alone); it stops when keepGoing says the tree changed under it.
struct ItemsToToggle {
    std::vector<QTreeWidgetItem*> items;
    std::size_t topLevel = 0;
    bool isWhole = false;
};

ItemsToToggle CollectItems(QTreeWidget& tree, bool expand, const std::function<bool()>& keepGoing) {
    constexpr int kItemsPerStep = 512;
    std::vector<QTreeWidgetItem*> top;
    std::vector<QTreeWidgetItem*> below;
    int walked = 0;
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it) {
        if (++walked % kItemsPerStep == 0 && !keepGoing()) {
            return {};
        }
        if ((*it)->childCount() > 0 && (*it)->isExpanded() != expand) {
            ((*it)->parent() == nullptr ? top : below).push_back(*it);
        }
    }
    ItemsToToggle toggle{{}, top.size(), true};
    std::vector<QTreeWidgetItem*>& first = expand ? below : top;
    const std::vector<QTreeWidgetItem*>& last = expand ? top : below;
    first.insert(first.end(), last.begin(), last.end());
    toggle.items = std::move(first);
    return toggle;
}

// Whether items may have been deleted since it was made: the loop turns between the slices
// of a long command, and a timer or another thread's result may change the tree meanwhile.
class RemovalWatch {
public:
    explicit RemovalWatch(const QAbstractItemModel& model) {
        const auto removed = [this] { hasRemoved_ = true; };
        connections_[0] =
            QObject::connect(&model, &QAbstractItemModel::rowsAboutToBeRemoved, removed);
        connections_[1] =
            QObject::connect(&model, &QAbstractItemModel::modelAboutToBeReset, removed);
    }
    ~RemovalWatch() {
        for (const QMetaObject::Connection& connection : connections_) {
            QObject::disconnect(connection);
        }
    }
    RemovalWatch(const RemovalWatch&) = delete;
    RemovalWatch& operator=(const RemovalWatch&) = delete;
    bool HasRemoved() const { return hasRemoved_; }

private:
    bool hasRemoved_ = false;
    QMetaObject::Connection connections_[2];
};

}  // namespace

// Qt's own expandAll and collapseAll lay out every row in one go, and so does opening the
// items with a layout pending: at 100,000 rows that one layout is longer than a frame. So
// the items whose rows stay out of sight go with a layout pending, each only recorded (the
// loop may turn between slices, and then lays out just the rows in sight: Collapse All
// closes the top-level branches first). Expand All opens the top-level branches last, one
// at a time with no layout pending, each laying out its own rows.
void EnhancedTreeCtrl::ExpandAll(bool expand,
                                 const std::function<void(int done, int total)>& progress) {
    constexpr std::size_t kItemsPerSlice = 512;
    const RemovalWatch watch(*model());
    int total = 0;
    const auto step = [&](std::size_t done) {
        if (progress) {
            progress(static_cast<int>(done), total);
        }
        return !watch.HasRemoved();
    };
    const ItemsToToggle toggle = CollectItems(*this, expand, [&] { return step(0); });
    if (!toggle.isWhole) {
        return;
    }
    const std::vector<QTreeWidgetItem*>& items = toggle.items;
    total = static_cast<int>(items.size());
    const std::size_t recorded = expand ? items.size() - toggle.topLevel : items.size();
    // Collapse All closes every top-level branch before the loop first turns: a layout while
    // some are open would lay out every row below them.
    const std::size_t firstSlice = expand ? 0 : toggle.topLevel;
    scheduleDelayedItemsLayout();
    for (std::size_t i = 0; i < recorded; ++i) {
        if (i >= firstSlice && (i - firstSlice) % kItemsPerSlice == 0) {
            if (!step(i)) {
                return;
            }
            scheduleDelayedItemsLayout();
        }
        items[i]->setExpanded(expand);
    }
    executeDelayedItemsLayout();
    for (std::size_t i = recorded; i < items.size(); ++i) {
        if (!step(i)) {
            return;
        }
        items[i]->setExpanded(true);
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
