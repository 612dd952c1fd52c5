#include "ui/main_window/parked_trees.h"

#include <QTreeWidgetItemIterator>
#include <algorithm>

#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/main_window/document_set.h"

namespace tw {

ParkedTrees::ParkedTrees() = default;
ParkedTrees::~ParkedTrees() = default;

void ParkedTrees::Park(const Dialogue& document, EnhancedTreeCtrl& tree) {
    parked_[&document] = tree.TakeAllItems();
}

std::vector<QTreeWidgetItem*> ParkedTrees::PutBack(const Dialogue& document,
                                                   const DocumentSet& open,
                                                   EnhancedTreeCtrl& tree) {
    DropClosed(open);
    const auto found = parked_.find(&document);
    if (found == parked_.end()) {
        return {};
    }
    tree.PutBackItems(*found->second);
    parked_.erase(found);
    std::vector<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        items.push_back(*it);
    }
    return items;
}

void ParkedTrees::Forget(const Dialogue& document) {
    parked_.erase(&document);
}

void ParkedTrees::Clear() {
    parked_.clear();
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
