#pragma once

// The base of every undoable change to a document: one model operation each way, then a
// report to the document of what changed, which the document passes on to its views.

#include <QUndoCommand>
#include <cstdint>

namespace tw {

class Dialogue;
class DialogueNode;
class EditorDocument;

class DocumentStep : public QUndoCommand {
public:
    DocumentStep(EditorDocument& document, const QString& text)
        : QUndoCommand(text), document_(document) {}

protected:
    EditorDocument& Editor() { return document_; }
    const EditorDocument& Editor() const { return document_; }
    Dialogue& Document();
    // The node the step works on, looked up afresh: earlier steps may have replaced others.
    DialogueNode* Node(std::int32_t id);
    // The node's text, comments or lists changed; the views show it.
    void ShowNode(std::int32_t id);
    // The branch changed in the tree (reported by `report`), then the node is shown. Without
    // the branch's node the whole tree is shown again.
    void ShowBranch(std::int32_t nodeId, void (EditorDocument::*report)(DialogueNode&),
                    DialogueNode* changed);

private:
    EditorDocument& document_;
};

}  // namespace tw
