#pragma once

// The node tree of one document: one tree widget per open document, so that switching tabs
// shows another widget and makes no item. It follows the document's signals, changing only
// the items of the branch a step changed, and hands the writer's selections and drops to
// the document.

#include <QObject>
#include <cstdint>
#include <memory>

class QTreeWidgetItem;

namespace tw {

class DialogueNode;
class EditorDocument;
class EnhancedTreeCtrl;
class LongCommandProgress;

class DocumentTree : public QObject {
    Q_OBJECT

public:
    DocumentTree(EditorDocument& document, EnhancedTreeCtrl& tree);
    ~DocumentTree() override;

    EditorDocument& Document() { return document_; }
    EnhancedTreeCtrl& Tree() { return tree_; }
    QTreeWidgetItem* ItemOfNode(std::int32_t id) const;
    // Every branch opened, or closed again, one press each.
    void ExpandCollapseAll();

private:
    void Connect();
    void FillAgain();
    // A change of one branch's items; where they do not match the document, a new fill.
    template <typename Change>
    void ChangeItems(Change change);
    void SortItems(const DialogueNode& branch);
    void ShowLabel(std::int32_t id);
    void ShowCurrent(std::int32_t id);
    void OnItemChosen(QTreeWidgetItem* item);
    void OnDrop(QTreeWidgetItem* dragged, QTreeWidgetItem* target);

    EditorDocument& document_;
    EnhancedTreeCtrl& tree_;
    bool expandedAll_ = false;
    // Set while the tree itself hands a change to the document: the items show it already.
    bool echo_ = false;
    // The progress of the document's long step while one runs.
    std::unique_ptr<LongCommandProgress> longStep_;
};

}  // namespace tw
