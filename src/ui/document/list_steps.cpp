#include "ui/document/list_steps.h"

namespace tw {

// The node replaces by element; the step knows the place.
std::unique_ptr<NodeCommand> CommandListAccess::Replace(DialogueNode& node, std::size_t at,
                                                        std::unique_ptr<NodeCommand> element) {
    if (at >= node.Commands().size()) {
        return nullptr;
    }
    return node.ReplaceCommand(node.Commands()[at].get(), std::move(element));
}

}  // namespace tw
