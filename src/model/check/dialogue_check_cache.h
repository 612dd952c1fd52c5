#pragma once

// The dialogue check for a document under edit: what the check derives from each node alone
// is kept between checks and derived again only for nodes marked changed and nodes that are
// new to the cache; the rules that look across nodes then run over the kept facts. The
// findings are CheckDialogue's, finding for finding and in the same order.
//
// In the editor the two halves run apart: Snapshot on the thread that edits the dialogue (a
// walk that derives only what changed), CheckAcrossNodes on another thread over the snapshot.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "model/check/check_snapshot.h"
#include "model/check/dialogue_check.h"

namespace tw {

class DialogueNode;
struct NodeCheckFacts;

class DialogueCheckCache {
public:
    DialogueCheckCache();
    ~DialogueCheckCache();
    DialogueCheckCache(const DialogueCheckCache&) = delete;
    DialogueCheckCache& operator=(const DialogueCheckCache&) = delete;

    // The node's contents, name or description changed: its facts are derived again at the
    // next check. Nodes added, removed or moved need no mark.
    void MarkChanged(const DialogueNode& node);
    // Forgets everything: the next check derives every node afresh.
    void Clear();

    // Both halves at once: Snapshot, then CheckAcrossNodes over it.
    std::vector<Finding> Check(Dialogue& dialogue, const CheckOptions& options = {});
    // Every node of the dialogue in pre-order with its facts, derived where they are missing.
    CheckSnapshot Snapshot(Dialogue& dialogue);

    // The same snapshot a few nodes at a time, for a thread that must not be held for the
    // whole walk. The dialogue must not change between the slices: after a change, or a
    // Clear, the walk is of no use and begins again.
    void BeginSnapshot(Dialogue& dialogue);
    // Walks up to maxNodes more nodes, then forgets the nodes it did not meet; true once
    // every node is in the snapshot and the rest forgotten.
    bool ContinueSnapshot(std::size_t maxNodes);
    // The snapshot, once ContinueSnapshot has answered true.
    CheckSnapshot TakeSnapshot();

    // How many nodes the last check derived afresh.
    std::size_t LastDerived() const { return lastDerived_; }

private:
    struct Entry;
    bool ForgetSome(std::size_t maxBuckets);

    // Each node's facts, by the node's serial: a node that took another's id or address is
    // still a new node here.
    std::unordered_map<std::uint64_t, Entry> entries_;
    // The walk under way: the nodes still to visit, last first, and what it has taken.
    std::vector<DialogueNode*> toVisit_;
    CheckSnapshot walked_;
    std::uint64_t pass_ = 0;
    std::uint64_t clears_ = 0;
    // The next bucket of entries_ to look through for nodes the walk did not meet.
    std::size_t forgetAt_ = 0;
    std::size_t lastDerived_ = 0;
};

}  // namespace tw
