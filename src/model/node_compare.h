#pragma once

#include "model/dialogue_node.h"
#include "base/byte_string.h"

namespace tw {

// Orders sibling nodes by name: numerically when both names start with a number of 1 or
// more, else case-insensitively; ascending or descending.
class NodeCompare {
public:
    explicit NodeCompare(bool ascending = true) : ascending_(ascending) {}

    int Compare(const DialogueNode* a, const DialogueNode* b) const {
        const std::int32_t left = StrToLong32(a->GetName());
        const std::int32_t right = StrToLong32(b->GetName());
        int order = 0;
        if (left >= 1 && right >= 1) {
            order = left < right ? -1 : (left > right ? 1 : 0);
        } else {
            const int text = CompareNoCase(a->GetName(), b->GetName());
            order = text < 0 ? -1 : (text > 0 ? 1 : 0);
        }
        return ascending_ ? order : -order;
    }

private:
    bool ascending_;
};

}  // namespace tw
