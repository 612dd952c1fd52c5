#include "ui/views/document_tree.h"

#include <QSignalBlocker>
#include <optional>
#include <utility>

#include "model/dialogue.h"
#include "model/editing/tree_edit_rules.h"
#include "ui/controls/command_icons.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/long_command_progress.h"
#include "ui/controls/shown_label.h"
#include "ui/document/editor_document.h"
#include "ui/views/branch_items.h"
#include "ui/views/tree_fill.h"

namespace tw {

DocumentTree::DocumentTree(EditorDocument& document, EnhancedTreeCtrl& tree)
    : QObject(&tree), document_(document), tree_(tree) {
    tree_.SetImageList(CommandIcons());
    tree_.setAccessibleName("Nodes");
    {
        const QSignalBlocker block(&tree_);
        RestoreTreeState(tree_, document_.GetDialogue(), FillTree(tree_, document_.GetDialogue()));
    }
    Connect();
}

DocumentTree::~DocumentTree() = default;

void DocumentTree::Connect() {
    const auto movable = [this](QTreeWidgetItem* item, EnhancedTreeCtrl&) {
        return item != nullptr &&
               IsMovableNode(document_.GetDialogue(), EnhancedTreeCtrl::ItemValue(item));
    };
    tree_.SetCanDrag(movable);
    tree_.SetCanDrop(movable);
    tree_.SetDropHandler([this](QTreeWidgetItem* dragged, QTreeWidgetItem* target,
                                EnhancedTreeCtrl&) { OnDrop(dragged, target); });
    connect(&tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { OnItemChosen(item); });
    connect(&document_, &EditorDocument::branchAdded, this, [this](const DialogueNode& branch) {
        ChangeItems([&] { return AddBranchItems(tree_, document_.GetDialogue(), branch); });
    });
    connect(&document_, &EditorDocument::branchRemoved, this, [this](DialogueNode& branch) {
        ChangeItems([&] { return RemoveBranchItems(tree_, branch); });
    });
    connect(&document_, &EditorDocument::branchMoved, this, [this](const DialogueNode& branch) {
        ChangeItems([&] { return MoveBranchItems(tree_, document_.GetDialogue(), branch); });
    });
    connect(&document_, &EditorDocument::branchSorted, this,
            [this](const DialogueNode& branch) { SortItems(branch); });
    connect(&document_, &EditorDocument::treeChanged, this, [this] { FillAgain(); });
    connect(&document_, &EditorDocument::longStepBegun, this, [this](const QString& label) {
        longStep_ = std::make_unique<LongCommandProgress>(tree_.window(), label);
    });
    connect(&document_, &EditorDocument::longStepPaced, this, [this](int done, int total) {
        if (longStep_ != nullptr) {
            longStep_->Step(done, total);
        }
    });
    connect(&document_, &EditorDocument::longStepEnded, this, [this] { longStep_.reset(); });
    connect(&document_, &EditorDocument::labelChanged, this,
            [this](std::int32_t id) { ShowLabel(id); });
    connect(&document_, &EditorDocument::currentNodeChanged, this,
            [this](std::int32_t id) { ShowCurrent(id); });
}

QTreeWidgetItem* DocumentTree::ItemOfNode(std::int32_t id) const {
    return tree_.FindItem(id);
}

// The tree keeps quiet while its items change: the selection it may lose on the way is set
// by the step, to the node it shows, afterwards.
template <typename Change>
void DocumentTree::ChangeItems(Change change) {
    if (echo_) {
        return;
    }
    bool done = false;
    {
        const QSignalBlocker block(&tree_);
        done = change();
    }
    if (!done) {
        FillAgain();
    }
}

// A sort of many nodes reorders the items a slice at a time, the loop turning between
// slices with the writer's input held back, so no edit comes in before the items match.
// Should anything else change the document meanwhile, the sort stops and the tree is
// filled again from the document, which is sorted already. Within the document's long
// step, its progress goes on.
void DocumentTree::SortItems(const DialogueNode& branch) {
    const std::uint64_t generation = document_.Generation();
    std::optional<LongCommandProgress> own;
    LongCommandProgress* progress = longStep_.get();
    if (progress == nullptr) {
        progress = &own.emplace(tree_.window(), "Sorting...");
    }
    ChangeItems([&] {
        return SortBranchItems(tree_, branch, [&](int done, int total) {
            progress->Step(done, total);
            return document_.Generation() == generation;
        });
    });
}

void DocumentTree::FillAgain() {
    Dialogue& dialogue = document_.GetDialogue();
    const std::int32_t current = document_.CurrentNodeId();
    SaveTreeState(tree_, dialogue);
    dialogue.SetSelectedNodeId(current);
    const QSignalBlocker block(&tree_);
    tree_.clear();
    RestoreTreeState(tree_, dialogue, FillTree(tree_, dialogue));
}

void DocumentTree::ShowLabel(std::int32_t id) {
    QTreeWidgetItem* item = ItemOfNode(id);
    const DialogueNode* node = document_.GetDialogue().FindNodeById(id);
    if (item != nullptr && node != nullptr) {
        item->setText(0, ShownLabel(node->Label()));
    }
}

// The item is made visible, its branch opened down to it.
void DocumentTree::ShowCurrent(std::int32_t id) {
    QTreeWidgetItem* item = ItemOfNode(id);
    const QSignalBlocker block(&tree_);
    if (item == nullptr) {
        tree_.setCurrentItem(nullptr);
        return;
    }
    for (QTreeWidgetItem* parent = item->parent(); parent != nullptr; parent = parent->parent()) {
        parent->setExpanded(true);
    }
    tree_.scrollToItem(item);
    tree_.setCurrentItem(item);
}

void DocumentTree::OnItemChosen(QTreeWidgetItem* item) {
    document_.SetCurrentNode(item ? EnhancedTreeCtrl::ItemValue(item) : kNoNodeId);
}

// The tree has moved its items already; the document moves the node.
void DocumentTree::OnDrop(QTreeWidgetItem* dragged, QTreeWidgetItem* target) {
    echo_ = true;
    document_.MoveNode(EnhancedTreeCtrl::ItemValue(dragged), EnhancedTreeCtrl::ItemValue(target));
    echo_ = false;
}

void DocumentTree::ExpandCollapseAll() {
    expandedAll_ = !expandedAll_;
    LongCommandProgress progress(
        tree_.window(), expandedAll_ ? "Expanding every branch..." : "Collapsing every branch...");
    tree_.ExpandAll(expandedAll_, [&progress](int done, int total) { progress.Step(done, total); });
}

}  // namespace tw
