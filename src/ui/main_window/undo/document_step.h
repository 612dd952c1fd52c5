#pragma once

// The base of every undoable change to a document: one model operation each way, then a
// report of which node changed and what of the window has to show it again.

#include <QUndoCommand>
#include <cstdint>
#include <functional>

namespace tw {

class Dialogue;
class DialogueNode;

// What part of the window a change touches.
enum class ViewScope {
    kTree,   // the node tree itself: nodes added, removed, moved or reordered
    kNode,   // one node's text, comments or lists
    kRows,   // one node's lists, changed by a step about another node: no new selection
    kLabel,  // one node's name or description
    kNpc,    // the NPC's data or comments
    // The tree changed in one branch only, the changed node given with the report: its
    // items alone need making, removing, moving or reordering.
    kBranchAdded,    // the branch is in the document now, at its place
    kBranchRemoved,  // the branch is out of the document, detached and still alive
    kBranchMoved,    // the branch is at another place
    kBranchSorted,   // the children in the branch are in another order
};

// nodeId is the node to show; changed, for the branch scopes, the root of the branch that
// changed (none otherwise).
using ViewUpdate = std::function<void(Dialogue& document, std::int32_t nodeId, ViewScope scope,
                                      DialogueNode* changed)>;

class DocumentStep : public QUndoCommand {
public:
    DocumentStep(Dialogue& document, const ViewUpdate& update, const QString& text)
        : QUndoCommand(text), document_(document), update_(update) {}

protected:
    Dialogue& Document() { return document_; }
    const Dialogue& Document() const { return document_; }
    // The node the step works on, looked up afresh: earlier steps may have replaced others.
    DialogueNode* Node(std::int32_t id);
    void Show(std::int32_t nodeId, ViewScope scope) { update_(document_, nodeId, scope, nullptr); }
    // A change to the tree in one branch; without the branch's node the whole tree is shown
    // again.
    void ShowBranch(std::int32_t nodeId, ViewScope scope, DialogueNode* changed) {
        update_(document_, nodeId, changed != nullptr ? scope : ViewScope::kTree, changed);
    }

private:
    Dialogue& document_;
    const ViewUpdate& update_;
};

}  // namespace tw
