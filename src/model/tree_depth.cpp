#include "model/tree_depth.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "model/dialogue.h"

namespace tw {

std::size_t LevelsBelow(const DialogueNode& node) {
    std::size_t deepest = 0;
    std::vector<std::pair<const DialogueNode*, std::size_t>> stack{{&node, 0}};
    while (!stack.empty()) {
        const auto [at, level] = stack.back();
        stack.pop_back();
        deepest = std::max(deepest, level);
        for (const auto& child : at->Children()) {
            stack.emplace_back(child.get(), level + 1);
        }
    }
    return deepest;
}

std::size_t LevelsAbove(const DialogueNode& node) {
    std::size_t levels = 0;
    for (const DialogueNode* parent = node.Parent(); parent != nullptr; parent = parent->Parent()) {
        ++levels;
    }
    return levels;
}

std::size_t DialogueDepth(const Dialogue& dialogue) {
    return LevelsBelow(dialogue.Root());
}

}  // namespace tw
