#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
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

    // Takes every item out of the tree, kept for the document with the items that were
    // expanded and the current one.
    void Park(const Dialogue& document, EnhancedTreeCtrl& tree,
              std::vector<QTreeWidgetItem*> expanded);
    // Puts the document's items into the empty tree, expanded and current as they were;
    // false when nothing is kept for it. Items of documents no longer open are dropped
    // first, so a new document at a closed one's address never gets their items.
    bool PutBack(const Dialogue& document, const DocumentSet& open, EnhancedTreeCtrl& tree);
    // The expanded items as they were put back for the document, while the tree has not
    // changed since; none otherwise.
    std::optional<std::vector<QTreeWidgetItem*>> UnchangedExpanded(
        const Dialogue& document, const EnhancedTreeCtrl& tree) const;
    void Forget(const Dialogue& document);
    void Clear();

private:
    void DropClosed(const DocumentSet& open);

    struct Parked {
        std::unique_ptr<ParkedTreeItems> items;
        std::vector<QTreeWidgetItem*> expanded;
        QTreeWidgetItem* current = nullptr;
    };
    std::map<const Dialogue*, Parked> parked_;
    // What the last PutBack showed: the document, its expanded items and the tree's
    // change count just after.
    struct Shown {
        const Dialogue* document = nullptr;
        std::vector<QTreeWidgetItem*> expanded;
        std::uint64_t changeCount = 0;
    };
    Shown shown_;
};

}  // namespace tw
