#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "model/dialogue.h"

namespace tw {

// The nodes of a dialogue by name, for code that looks names up many times while the tree
// stays as it is (a test run): FindNodeByName's answer without its walk from the root.
// Editing the tree leaves an index stale (a node renamed or added is not seen, a deleted one
// still answered); build a new one then.
class NodeNameIndex {
public:
    NodeNameIndex() = default;
    explicit NodeNameIndex(Dialogue& dialogue);

    // The first node in pre-order whose name equals name, case-insensitively; nullptr when
    // there is none.
    DialogueNode* Find(std::string_view name) const;

private:
    struct NoCaseHash {
        std::size_t operator()(const std::string& name) const;
    };
    struct NoCaseEqual {
        bool operator()(const std::string& a, const std::string& b) const;
    };

    // The names are copies: a node renamed later leaves its key intact.
    std::unordered_map<std::string, DialogueNode*, NoCaseHash, NoCaseEqual> nodes_;
};

}  // namespace tw
