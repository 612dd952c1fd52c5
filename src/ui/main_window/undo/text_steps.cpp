#include "ui/main_window/undo/text_steps.h"

#include <utility>

namespace tw {

NodeTextStep::NodeTextStep(Dialogue& document, const ViewUpdate& update, std::int32_t nodeId,
                           NodeTextValue before, NodeTextValue after)
    : DocumentStep(document, update, "Typing"),
      nodeId_(nodeId),
      before_(std::move(before)),
      after_(std::move(after)) {}

// Only typing in the same node of the same document joins: the step keeps the oldest text
// and takes the newest.
bool NodeTextStep::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const NodeTextStep*>(other);
    if (next == nullptr || next->nodeId_ != nodeId_ || &next->Document() != &Document()) {
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
    Show(nodeId_, ViewScope::kNode);
}

NodeCommentsStep::NodeCommentsStep(Dialogue& document, const ViewUpdate& update,
                                   std::int32_t nodeId, std::string before, std::string after)
    : DocumentStep(document, update, "Comments"),
      nodeId_(nodeId),
      before_(std::move(before)),
      after_(std::move(after)) {}

bool NodeCommentsStep::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const NodeCommentsStep*>(other);
    if (next == nullptr || next->nodeId_ != nodeId_ || &next->Document() != &Document()) {
        return false;
    }
    after_ = next->after_;
    return true;
}

void NodeCommentsStep::Apply(const std::string& value) {
    if (DialogueNode* node = Node(nodeId_)) {
        node->SetComments(value);
    }
    Show(nodeId_, ViewScope::kNode);
}

NpcDataStep::NpcDataStep(Dialogue& document, const ViewUpdate& update, NPCData before,
                         NPCData after)
    : DocumentStep(document, update, "NPC Properties"),
      before_(std::move(before)),
      after_(std::move(after)) {}

void NpcDataStep::Apply(const NPCData& value) {
    Document().Npc() = value;
    Show(0, ViewScope::kNpc);
}

NpcCommentsStep::NpcCommentsStep(Dialogue& document, const ViewUpdate& update, std::string before,
                                 std::string after)
    : DocumentStep(document, update, "NPC Comments"),
      before_(std::move(before)),
      after_(std::move(after)) {}

void NpcCommentsStep::Apply(const std::string& value) {
    Document().SetComments(value);
    Show(0, ViewScope::kNpc);
}

}  // namespace tw
