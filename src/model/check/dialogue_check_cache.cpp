#include "model/check/dialogue_check_cache.h"

#include "model/check/cross_node_rules.h"
#include "model/check/node_check_facts.h"
#include "model/dialogue.h"
#include "model/tree_walk.h"

namespace tw {

struct DialogueCheckCache::Entry {
    std::shared_ptr<const NodeCheckFacts> facts;
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

std::vector<Finding> DialogueCheckCache::Check(Dialogue& dialogue, const CheckOptions& options) {
    return CheckAcrossNodes(Snapshot(dialogue), options);
}

// Nodes the walk does not meet (deleted, or held by the history) are forgotten: a node put
// back later is derived again, whatever happened to it meanwhile. Snapshots taken earlier
// keep their own share of the facts they hold.
CheckSnapshot DialogueCheckCache::Snapshot(Dialogue& dialogue) {
    ++pass_;
    lastDerived_ = 0;
    CheckSnapshot snapshot;
    snapshot.reserve(entries_.size() + 1);
    ForEachPreOrder(dialogue.Root(), [&](DialogueNode& node) {
        Entry& entry = entries_[node.GetSerial()];
        if (entry.facts == nullptr) {
            entry.facts = std::make_shared<const NodeCheckFacts>(DeriveNodeCheckFacts(node));
            ++lastDerived_;
        }
        entry.seen = pass_;
        snapshot.push_back({&node, node.GetId(), entry.facts});
    });
    if (entries_.size() > snapshot.size()) {
        std::erase_if(entries_, [this](const auto& entry) { return entry.second.seen != pass_; });
    }
    return snapshot;
}

}  // namespace tw
