#include "model/editing/tree_edit_rules.h"

#include "model/dialogue.h"

namespace tw {

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
    return !(node->Parent() == target && target->Children().back().get() == node);
}

bool CanMakeRoot(const Dialogue& dialogue, std::int32_t id) {
    const DialogueNode* node = dialogue.FindNodeById(id);
    return node != nullptr && node != &dialogue.Root() && node->Parent() != &dialogue.Root();
}

}  // namespace tw
