#include "model/check/dialogue_check_cache.h"

#include <cstdint>
#include <utility>

#include "model/check/cross_node_rules.h"
#include "model/check/node_check_facts.h"
#include "model/dialogue.h"

namespace tw {

struct DialogueCheckCache::Entry {
    std::shared_ptr<const NodeCheckFacts> facts;
    std::uint64_t seen = 0;     // the last check whose walk met the node
    std::uint64_t derived = 0;  // the Clear the facts were derived after
};

DialogueCheckCache::DialogueCheckCache() = default;
DialogueCheckCache::~DialogueCheckCache() = default;

void DialogueCheckCache::MarkChanged(const DialogueNode& node) {
    entries_.erase(node.GetSerial());
}

// The facts are replaced as the next walk meets their nodes rather than freed here: at
// 100,000 nodes freeing them all at once holds the thread for a tenth of a second.
void DialogueCheckCache::Clear() {
    ++clears_;
    toVisit_.clear();
    walked_.clear();
}

std::vector<Finding> DialogueCheckCache::Check(Dialogue& dialogue, const CheckOptions& options) {
    return CheckAcrossNodes(Snapshot(dialogue), options);
}

CheckSnapshot DialogueCheckCache::Snapshot(Dialogue& dialogue) {
    BeginSnapshot(dialogue);
    ContinueSnapshot(SIZE_MAX);
    return TakeSnapshot();
}

void DialogueCheckCache::BeginSnapshot(Dialogue& dialogue) {
    ++pass_;
    lastDerived_ = 0;
    forgetAt_ = 0;
    toVisit_.assign(1, &dialogue.Root());
    walked_.clear();
    walked_.reserve(entries_.size() + 1);
}

// The same pre-order walk as ForEachPreOrder, its stack kept between the slices.
bool DialogueCheckCache::ContinueSnapshot(std::size_t maxNodes) {
    for (; maxNodes > 0 && !toVisit_.empty(); --maxNodes) {
        DialogueNode& node = *toVisit_.back();
        toVisit_.pop_back();
        Entry& entry = entries_[node.GetSerial()];
        if (entry.facts == nullptr || entry.derived != clears_) {
            entry.facts = std::make_shared<const NodeCheckFacts>(DeriveNodeCheckFacts(node));
            entry.derived = clears_;
            ++lastDerived_;
        }
        entry.seen = pass_;
        walked_.push_back({&node, node.GetId(), entry.facts});
        const auto& children = node.Children();
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            toVisit_.push_back(child->get());
        }
    }
    return toVisit_.empty() && ForgetSome(maxNodes);
}

// Nodes the walk did not meet (deleted, or held by the history) are forgotten, a few buckets
// of the table at a time: after a branch of thousands of nodes is deleted, going through the
// whole table at once and freeing their facts would hold the thread for tens of
// milliseconds. Erasing never rehashes the table, so the buckets keep their places between
// slices. A node put back later is derived again, whatever happened to it meanwhile.
bool DialogueCheckCache::ForgetSome(std::size_t maxBuckets) {
    std::vector<std::uint64_t> gone;
    for (;
         entries_.size() > walked_.size() && forgetAt_ < entries_.bucket_count() && maxBuckets > 0;
         ++forgetAt_, --maxBuckets) {
        for (auto entry = entries_.begin(forgetAt_); entry != entries_.end(forgetAt_); ++entry) {
            if (entry->second.seen != pass_) {
                gone.push_back(entry->first);
            }
        }
        for (std::uint64_t serial : gone) {
            entries_.erase(serial);
        }
        gone.clear();
    }
    if (entries_.size() > walked_.size() && forgetAt_ < entries_.bucket_count()) {
        return false;
    }
    forgetAt_ = 0;
    return true;
}

// Snapshots taken earlier keep their own share of the facts they hold.
CheckSnapshot DialogueCheckCache::TakeSnapshot() {
    return std::exchange(walked_, {});
}

}  // namespace tw
