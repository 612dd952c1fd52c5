#include "model/node_name_index.h"

#include "model/tree_walk.h"
#include "base/byte_string.h"

namespace tw {

NodeNameIndex::NodeNameIndex(Dialogue& dialogue) {
    ForEachPreOrder(dialogue.Root(), [this](DialogueNode& node) {
        // emplace keeps the first node of a name, as the walk from the root finds it.
        nodes_.emplace(node.GetName(), &node);
    });
}

DialogueNode* NodeNameIndex::Find(std::string_view name) const {
    const auto found = nodes_.find(std::string(name));
    return found == nodes_.end() ? nullptr : found->second;
}

std::size_t NodeNameIndex::NoCaseHash::operator()(const std::string& name) const {
    // FNV-1a over the lower-case bytes.
    std::size_t hash = 14695981039346656037ULL;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(ToLowerAscii(c))) * 1099511628211ULL;
    }
    return hash;
}

bool NodeNameIndex::NoCaseEqual::operator()(const std::string& a, const std::string& b) const {
    return EqualsNoCase(a, b);
}

}  // namespace tw
