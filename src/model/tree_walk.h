#pragma once

// Pre-order walks over a node tree (a node before its children, children in list order)
// that keep their own stack, so a tree of any depth is safe.

#include <vector>

#include "model/dialogue_node.h"

namespace tw {

// Calls visit(node) for each node of the subtree; stops early when visit returns true,
// and then returns that node.
template <typename Node, typename Visit>
Node* FindPreOrder(Node& root, Visit visit) {
    std::vector<Node*> stack{&root};
    while (!stack.empty()) {
        Node* node = stack.back();
        stack.pop_back();
        if (visit(*node)) {
            return node;
        }
        const auto& children = node->Children();
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            stack.push_back(child->get());
        }
    }
    return nullptr;
}

template <typename Node, typename Visit>
void ForEachPreOrder(Node& root, Visit visit) {
    FindPreOrder(root, [&visit](Node& node) {
        visit(node);
        return false;
    });
}

}  // namespace tw
