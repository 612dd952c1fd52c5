#pragma once

#include "base/byte_string.h"
#include "model/dialogue_node.h"

namespace tw {

// A node with its name's leading number read once: a sort compares each name many times.
struct NodeSortKey {
    DialogueNode* node = nullptr;
    std::int32_t number = 0;
};

inline NodeSortKey SortKeyOf(DialogueNode* node) {
    return {node, StrToLong32(node->GetName())};
}

// Orders sibling nodes by name: numerically when both names start with a number of 1 or
// more, else case-insensitively; ascending or descending.
class NodeCompare {
public:
    explicit NodeCompare(bool ascending = true) : ascending_(ascending) {}

    int Compare(const NodeSortKey& a, const NodeSortKey& b) const {
        int order = 0;
        if (a.number >= 1 && b.number >= 1) {
            order = a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
        } else {
            const int text = CompareNoCase(a.node->GetName(), b.node->GetName());
            order = text < 0 ? -1 : (text > 0 ? 1 : 0);
        }
        return ascending_ ? order : -order;
    }

private:
    bool ascending_;
};

}  // namespace tw
