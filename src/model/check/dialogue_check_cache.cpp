#include "model/check/dialogue_check_cache.h"

#include "model/check/cross_node_rules.h"
#include "model/check/node_check_facts.h"
#include "model/dialogue.h"
#include "model/tree_walk.h"

namespace tw {

struct DialogueCheckCache::Entry {
    NodeCheckFacts facts;
    std::uint64_t seen = 0;  // the last check whose walk met the node
};

DialogueCheckCache::DialogueCheckCache() = default;
DialogueCheckCache::~DialogueCheckCache() = default;

void DialogueCheckCache::MarkChanged(const DialogueNode& node) {
    entries_.erase(node.GetSerial());
}

void DialogueCheckCache::Clear() {
    entries_.clear();
}

// Nodes the walk does not meet (deleted, or held by the history) are forgotten: a node put
// back later is derived again, whatever happened to it meanwhile.
std::vector<Finding> DialogueCheckCache::Check(Dialogue& dialogue, const CheckOptions& options) {
    ++pass_;
    lastDerived_ = 0;
    std::vector<DialogueNode*> nodes;
    std::vector<const NodeCheckFacts*> facts;
    nodes.reserve(entries_.size());
    facts.reserve(entries_.size());
    ForEachPreOrder(dialogue.Root(), [&](DialogueNode& node) {
        std::unique_ptr<Entry>& entry = entries_[node.GetSerial()];
        if (entry == nullptr) {
            entry = std::make_unique<Entry>(Entry{DeriveNodeCheckFacts(node)});
            ++lastDerived_;
        }
        entry->seen = pass_;
        nodes.push_back(&node);
        facts.push_back(&entry->facts);
    });
    std::erase_if(entries_, [this](const auto& entry) { return entry.second->seen != pass_; });
    return CheckAcrossNodes(nodes, facts, options);
}

}  // namespace tw
