#include "graph/graph_snapshot.h"

#include <string_view>
#include <utility>

#include "model/check/no_case_hash.h"
#include "model/check/reachability.h"
#include "model/dialogue.h"

namespace tw {
namespace {

class SnapshotGraphBuilder {
public:
    explicit SnapshotGraphBuilder(const GraphSnapshot& snapshot) : snapshot_(snapshot) {}

    DialogueGraph Build() {
        AddNodes();
        firstEdge_.reserve(snapshot_.size() + 1);
        for (std::size_t node = 0; node < snapshot_.size(); ++node) {
            firstEdge_.push_back(edges_.size());
            for (const GraphLink& link : snapshot_[node]->links) {
                AddEdge(node, link);
            }
        }
        firstEdge_.push_back(edges_.size());
        MarkReachable();
        return DialogueGraph(std::move(nodes_), std::move(edges_));
    }

private:
    void AddNodes() {
        nodes_.reserve(snapshot_.size());
        names_.reserve(snapshot_.size());
        for (std::size_t i = 0; i < snapshot_.size(); ++i) {
            const GraphNodeFacts& facts = *snapshot_[i];
            GraphNode box;
            box.id = facts.id;
            box.serial = facts.serial;
            box.name = facts.name;
            box.description = facts.description;
            box.firstLine = facts.firstLine;
            box.isStart = i == 0;
            nodes_.push_back(std::move(box));
            names_.emplace(facts.name, i);  // the first node of a name wins, as links resolve
        }
    }

    void AddEdge(std::size_t from, const GraphLink& link) {
        const auto found = names_.find(std::string_view(link.target));
        GraphEdge edge;
        edge.from = from;
        edge.to = found != names_.end() ? found->second : Ghost(link.target);
        edge.kind = link.kind;
        edge.label = link.label;
        edge.isConditional = link.isConditional;
        edge.isMissing = found == names_.end();
        edge.item = link.item;
        edge.row = link.row;
        edges_.push_back(std::move(edge));
    }

    std::size_t Ghost(const std::string& name) {
        const auto found = ghosts_.find(std::string_view(name));
        if (found != ghosts_.end()) {
            return found->second;
        }
        GraphNode ghost;
        ghost.name = name;
        ghost.isGhost = true;
        nodes_.push_back(std::move(ghost));
        ghosts_.emplace(name, nodes_.size() - 1);
        return nodes_.size() - 1;
    }

    // The edges are in order of their source, so each node's run is known before the index.
    void MarkReachable() {
        const std::vector<bool> reached =
            ReachedFromStart(snapshot_.size(), [this](std::size_t node, auto visit) {
                for (std::size_t e = firstEdge_[node]; e < firstEdge_[node + 1]; ++e) {
                    if (!edges_[e].isMissing) {
                        visit(edges_[e].to);
                    }
                }
            });
        for (std::size_t i = 0; i < snapshot_.size(); ++i) {
            nodes_[i].isReachable = reached[i];
        }
    }

    const GraphSnapshot& snapshot_;
    std::vector<GraphNode> nodes_;
    std::vector<GraphEdge> edges_;
    std::vector<std::size_t> firstEdge_;
    // Views of the snapshot's own names, which outlive the build.
    std::unordered_map<std::string_view, std::size_t, NoCaseHash, NoCaseEqual> names_;
    std::unordered_map<std::string, std::size_t, NoCaseHash, NoCaseEqual> ghosts_;
};

}  // namespace

DialogueGraph BuildDialogueGraph(const GraphSnapshot& snapshot) {
    return SnapshotGraphBuilder(snapshot).Build();
}

void GraphFactsCache::MarkChanged(const DialogueNode& node) {
    entries_.erase(node.GetSerial());
}

void GraphFactsCache::Clear() {
    entries_.clear();
    toVisit_.clear();
    walked_.clear();
}

GraphSnapshot GraphFactsCache::Snapshot(Dialogue& dialogue) {
    BeginWalk(dialogue);
    ContinueWalk(SIZE_MAX);
    return TakeSnapshot();
}

void GraphFactsCache::BeginWalk(Dialogue& dialogue) {
    ++pass_;
    toVisit_.assign(1, &dialogue.Root());
    walked_.clear();
    walked_.reserve(entries_.size() + 1);
}

// The same pre-order walk as ForEachPreOrder, its stack kept between the slices.
bool GraphFactsCache::ContinueWalk(std::size_t maxNodes) {
    for (; maxNodes > 0 && !toVisit_.empty(); --maxNodes) {
        DialogueNode& node = *toVisit_.back();
        toVisit_.pop_back();
        Entry& entry = entries_[node.GetSerial()];
        if (entry.facts == nullptr) {
            entry.facts =
                std::make_shared<const GraphNodeFacts>(DeriveGraphNodeFacts(node, options_));
        }
        entry.seen = pass_;
        walked_.push_back(entry.facts);
        const auto& children = node.Children();
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            toVisit_.push_back(child->get());
        }
    }
    return toVisit_.empty();
}

GraphSnapshot GraphFactsCache::TakeSnapshot() {
    if (entries_.size() > walked_.size()) {
        std::erase_if(entries_, [this](const auto& entry) { return entry.second.seen != pass_; });
    }
    return std::exchange(walked_, {});
}

}  // namespace tw
