#pragma once

#include <string_view>
#include <unordered_map>

#include "model/dialogue.h"

namespace tw {

// The nodes of a dialogue by name, for code that looks names up many times while the tree
// stays as it is (a test run): FindNodeByName's answer without its walk from the root.
// Editing the tree leaves an index stale; build a new one then.
class NodeNameIndex {
public:
    NodeNameIndex() = default;
    explicit NodeNameIndex(Dialogue& dialogue);

    // The first node in pre-order whose name equals name, case-insensitively; nullptr when
    // there is none.
    DialogueNode* Find(std::string_view name) const;

private:
    struct NoCaseHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const;
    };
    struct NoCaseEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    std::unordered_map<std::string_view, DialogueNode*, NoCaseHash, NoCaseEqual> nodes_;
};

}  // namespace tw
