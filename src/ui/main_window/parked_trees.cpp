#include "ui/main_window/parked_trees.h"

#include <algorithm>
#include <utility>

#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/main_window/document_set.h"

namespace tw {

ParkedTrees::ParkedTrees() = default;
ParkedTrees::~ParkedTrees() = default;

void ParkedTrees::Park(const Dialogue& document, EnhancedTreeCtrl& tree,
                       std::vector<QTreeWidgetItem*> expanded) {
    QTreeWidgetItem* current = tree.currentItem();
    parked_[&document] = Parked{tree.TakeAllItems(), std::move(expanded), current};
}

bool ParkedTrees::PutBack(const Dialogue& document, const DocumentSet& open,
                          EnhancedTreeCtrl& tree) {
    DropClosed(open);
    const auto found = parked_.find(&document);
    if (found == parked_.end()) {
        return false;
    }
    Parked parked = std::move(found->second);
    parked_.erase(found);
    tree.PutBackItems(*parked.items);
    for (QTreeWidgetItem* item : parked.expanded) {
        item->setExpanded(true);
    }
    if (parked.current != nullptr) {
        tree.setCurrentItem(parked.current);
    }
    shown_ = Shown{&document, std::move(parked.expanded), tree.ChangeCount()};
    return true;
}

std::optional<std::vector<QTreeWidgetItem*>> ParkedTrees::UnchangedExpanded(
    const Dialogue& document, const EnhancedTreeCtrl& tree) const {
    if (shown_.document != &document || shown_.changeCount != tree.ChangeCount()) {
        return std::nullopt;
    }
    return shown_.expanded;
}

void ParkedTrees::Forget(const Dialogue& document) {
    parked_.erase(&document);
    if (shown_.document == &document) {
        shown_ = Shown{};
    }
}

void ParkedTrees::Clear() {
    parked_.clear();
    shown_ = Shown{};
}

void ParkedTrees::DropClosed(const DocumentSet& open) {
    std::erase_if(parked_, [&open](const auto& entry) {
        for (std::size_t i = 0; i < open.Count(); ++i) {
            if (&open.At(i) == entry.first) {
                return false;
            }
        }
        return true;
    });
}

}  // namespace tw
