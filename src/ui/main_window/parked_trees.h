#pragma once

#include <map>
#include <memory>
#include <vector>

class QTreeWidgetItem;

namespace tw {

class Dialogue;
class DocumentSet;
class EnhancedTreeCtrl;
class ParkedTreeItems;

// The tree items of the documents in the tabs not shown, so that going back to a tab puts
// its items back instead of making one per node again.
class ParkedTrees {
public:
    ParkedTrees();
    ~ParkedTrees();
    ParkedTrees(const ParkedTrees&) = delete;
    ParkedTrees& operator=(const ParkedTrees&) = delete;

    // Takes every item out of the tree, kept for the document.
    void Park(const Dialogue& document, EnhancedTreeCtrl& tree);
    // Puts the document's items into the empty tree; answers them in pre-order, or none
    // when nothing is kept for it. Items of documents no longer open are dropped first,
    // so a new document at a closed one's address never gets its items.
    std::vector<QTreeWidgetItem*> PutBack(const Dialogue& document, const DocumentSet& open,
                                          EnhancedTreeCtrl& tree);
    void Forget(const Dialogue& document);
    void Clear();

private:
    void DropClosed(const DocumentSet& open);

    std::map<const Dialogue*, std::unique_ptr<ParkedTreeItems>> parked_;
};

}  // namespace tw
