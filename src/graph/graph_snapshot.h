#pragma once

// The map of a dialogue in two halves, as the check does it: a walk on the thread that edits
// the dialogue takes each node's facts (derived again only for the nodes that changed), and
// the graph is built from them on any thread, however the dialogue changes meanwhile.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "graph/dialogue_graph.h"
#include "graph/graph_node_facts.h"

namespace tw {

// Every node of a dialogue in pre-order, the initialization node first.
using GraphSnapshot = std::vector<std::shared_ptr<const GraphNodeFacts>>;

// The graph BuildDialogueGraph makes of the dialogue the snapshot was taken of, node for
// node and edge for edge. Reads the snapshot alone.
DialogueGraph BuildDialogueGraph(const GraphSnapshot& snapshot);

// Each node's facts kept between walks, by the node's serial, so that a node that took
// another's id or address is still a new node here.
class GraphFactsCache {
public:
    explicit GraphFactsCache(GraphOptions options = {}) : options_(options) {}

    // The node's contents, name or description changed: its facts are derived again.
    void MarkChanged(const DialogueNode& node);
    void Clear();

    GraphSnapshot Snapshot(Dialogue& dialogue);
    // The same walk a few nodes at a time. The dialogue must not change between the slices:
    // after a change the walk is of no use and begins again.
    void BeginWalk(Dialogue& dialogue);
    // Walks up to maxNodes more nodes; true once every node is in the snapshot.
    bool ContinueWalk(std::size_t maxNodes);
    // The snapshot, once ContinueWalk has answered true. Nodes the walk did not meet are
    // forgotten.
    GraphSnapshot TakeSnapshot();

private:
    struct Entry {
        std::shared_ptr<const GraphNodeFacts> facts;
        std::uint64_t seen = 0;  // the last walk that met the node
    };
    GraphOptions options_;
    std::unordered_map<std::uint64_t, Entry> entries_;
    std::vector<DialogueNode*> toVisit_;  // last first
    GraphSnapshot walked_;
    std::uint64_t pass_ = 0;
};

}  // namespace tw
