#include "model/editing/tree_edit_rules.h"

#include "model/dialogue.h"
#include "model/tree_depth.h"

namespace tw {

std::string TooDeepToOpenMessage(std::size_t depth) {
    return "This dialogue's tree is " + std::to_string(depth) +
           " levels deep. The editor shows trees of at most " +
           std::to_string(kMaxEditorTreeDepth) +
           " levels; talkwright-cli checks, exports and converts deeper ones.";
}

std::string TooDeepToAddMessage() {
    return "The node would lie deeper than " + std::to_string(kMaxEditorTreeDepth) +
           " levels, the most the editor shows.";
}

bool IsMovableNode(const Dialogue& dialogue, std::int32_t id) {
    const DialogueNode* node = dialogue.FindNodeById(id);
    return node != nullptr && node != &dialogue.Root();
}

bool CanDropNode(const Dialogue& dialogue, std::int32_t id, std::int32_t targetId) {
    const DialogueNode* node = dialogue.FindNodeById(id);
    const DialogueNode* target = dialogue.FindNodeById(targetId);
    if (node == nullptr || target == nullptr || node == &dialogue.Root() ||
        target == &dialogue.Root() || node->Contains(target)) {
        return false;
    }
    if (node->Parent() == target && target->Children().back().get() == node) {
        return false;
    }
    return LevelsAbove(*target) + 1 + LevelsBelow(*node) <= kMaxEditorTreeDepth;
}

bool CanMakeRoot(const Dialogue& dialogue, std::int32_t id) {
    const DialogueNode* node = dialogue.FindNodeById(id);
    return node != nullptr && node != &dialogue.Root() && node->Parent() != &dialogue.Root();
}

bool CanAddChild(const Dialogue& dialogue, std::int32_t parentId) {
    const DialogueNode* parent = dialogue.FindNodeById(parentId);
    return parent != nullptr && LevelsAbove(*parent) + 1 <= kMaxEditorTreeDepth;
}

}  // namespace tw
