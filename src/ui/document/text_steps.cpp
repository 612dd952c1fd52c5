#include "ui/document/text_steps.h"

#include <utility>

#include "ui/document/editor_document.h"

namespace tw {

NodeTextStep::NodeTextStep(EditorDocument& document, std::int32_t nodeId, NodeTextValue before,
                           NodeTextValue after)
    : DocumentStep(document, "Typing"),
      nodeId_(nodeId),
      before_(std::move(before)),
      after_(std::move(after)) {}

// Only typing in the same node of the same document joins: the step keeps the oldest text
// and takes the newest.
bool NodeTextStep::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const NodeTextStep*>(other);
    if (next == nullptr || next->nodeId_ != nodeId_ || &next->Editor() != &Editor()) {
        return false;
    }
    after_ = next->after_;
    return true;
}

void NodeTextStep::Apply(const NodeTextValue& value) {
    if (DialogueNode* node = Node(nodeId_)) {
        node->SetText(value.text);
        node->SetTextRich(value.rich);
    }
    ShowNode(nodeId_);
}

NodeCommentsStep::NodeCommentsStep(EditorDocument& document, std::int32_t nodeId,
                                   std::string before, std::string after)
    : DocumentStep(document, "Comments"),
      nodeId_(nodeId),
      before_(std::move(before)),
      after_(std::move(after)) {}

bool NodeCommentsStep::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const NodeCommentsStep*>(other);
    if (next == nullptr || next->nodeId_ != nodeId_ || &next->Editor() != &Editor()) {
        return false;
    }
    after_ = next->after_;
    return true;
}

void NodeCommentsStep::Apply(const std::string& value) {
    if (DialogueNode* node = Node(nodeId_)) {
        node->SetComments(value);
    }
    ShowNode(nodeId_);
}

NpcDataStep::NpcDataStep(EditorDocument& document, NPCData before, NPCData after)
    : DocumentStep(document, "NPC Properties"),
      before_(std::move(before)),
      after_(std::move(after)) {}

void NpcDataStep::Apply(const NPCData& value) {
    Document().Npc() = value;
    Editor().ReportNpcChanged();
}

NpcCommentsStep::NpcCommentsStep(EditorDocument& document, std::string before, std::string after)
    : DocumentStep(document, "NPC Comments"),
      before_(std::move(before)),
      after_(std::move(after)) {}

void NpcCommentsStep::Apply(const std::string& value) {
    Document().SetComments(value);
    Editor().ReportNpcChanged();
}

}  // namespace tw
