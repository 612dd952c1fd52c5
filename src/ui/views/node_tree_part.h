#pragma once

// The node tree beside the node editor: one tree per open document, stacked, the current
// document's on show, and the commands of the node menu and the Sort menu on the current
// node.

#include <QPoint>
#include <QStackedWidget>
#include <string>
#include <vector>

#include "model/editing/link_retarget.h"
#include "ui/dialogs/editing_dialog.h"

namespace tw {

class DocumentManager;
class DocumentTree;
class EditorDocument;
class EnhancedTreeCtrl;
class PlatformServices;

class NodeTreePart : public QStackedWidget {
    Q_OBJECT

public:
    NodeTreePart(DocumentManager& documents, PlatformServices& services,
                 const DialogRunner& runDialog, QWidget* parent = nullptr);

    EnhancedTreeCtrl& CurrentTree();
    DocumentTree& CurrentDocumentTree();

    // The node menu, each on the current node.
    void RenameNode();
    void ClearNode();
    void DeleteBranch();
    void MakeRoot();
    // Under the current node, or at the top on the initialization node or with none.
    void AddNewNode();
    void SortAll(bool ascending);
    void SortBranch(bool ascending);
    void ExpandCollapseAll();

signals:
    // The writer asked for the node menu: by the mouse (the item under it is selected
    // first) or by the keyboard (at the current item). The position is global.
    void nodeMenuRequested(const QPoint& at);

private:
    void AddTree(EditorDocument& document);
    void RemoveTree(EditorDocument& document);
    void ShowTree(EditorDocument& document);
    // The document's tree among the stacked ones; none before it was added.
    DocumentTree* TreeOf(const EditorDocument& document) const;
    void OnMenuRequest(EnhancedTreeCtrl& tree, const QPoint& pos);
    // The current node when it is one the node menu may change; none otherwise.
    DialogueNode* MovableCurrentNode();
    std::vector<RetargetedRow> LinksToCarry(const std::string& from, const std::string& to);
    bool Confirm(const std::string& question);

    DocumentManager& documents_;
    PlatformServices& services_;
    const DialogRunner& runDialog_;
};

}  // namespace tw
