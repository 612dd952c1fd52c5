#include "tester/explore/dialogue_tally.h"

#include "model/dialogue.h"
#include "model/tree_walk.h"

namespace tw {
DialogueTally::DialogueTally(Dialogue& dialogue) {
    ForEachPreOrder(dialogue.Root(), [this](DialogueNode& node) {
        index_.emplace(&node, static_cast<std::uint32_t>(nodes_.size()));
        nodes_.push_back(&node);
        firstResponse_.push_back(isAdd_.size());
        for (const auto& response : node.Responses()) {
            slots_.emplace(response.get(), isAdd_.size());
            isAdd_.push_back(response->GetType() == kResponseAdd);
        }
    });
    firstResponse_.push_back(isAdd_.size());
    entered_.assign(nodes_.size(), false);
    offered_.assign(isAdd_.size(), false);
    chosen_.assign(isAdd_.size(), false);
}

std::uint32_t DialogueTally::IndexOf(const DialogueNode* node) const {
    const auto found = index_.find(node);
    return found == index_.end() ? kNoNode : found->second;
}

void DialogueTally::MarkEntered(const DialogueNode* node) {
    const std::uint32_t index = IndexOf(node);
    if (index != kNoNode) {
        entered_[index] = true;
    }
}

std::optional<std::size_t> DialogueTally::SlotOf(const OfferedResponse& offer) const {
    const auto found = slots_.find(offer.source);
    return found == slots_.end() ? std::nullopt : std::optional<std::size_t>(found->second);
}

void DialogueTally::MarkOffered(const OfferedResponse& offer) {
    if (const std::optional<std::size_t> slot = SlotOf(offer)) {
        offered_[*slot] = true;
    }
}

void DialogueTally::MarkChosen(const OfferedResponse& offer) {
    if (const std::optional<std::size_t> slot = SlotOf(offer)) {
        chosen_[*slot] = true;
    }
}

ExploreCoverage DialogueTally::Coverage() const {
    ExploreCoverage coverage;
    coverage.nodes = nodes_.size();
    for (const bool entered : entered_) {
        coverage.nodesEntered += entered ? 1 : 0;
    }
    for (std::size_t slot = 0; slot < isAdd_.size(); ++slot) {
        coverage.responses += isAdd_[slot] ? 1 : 0;
        coverage.responsesOffered += offered_[slot] ? 1 : 0;
        coverage.responsesChosen += chosen_[slot] ? 1 : 0;
    }
    return coverage;
}

std::vector<NodeCoverage> DialogueTally::NodeCoverages() const {
    std::vector<NodeCoverage> result(nodes_.size());
    for (std::uint32_t node = 0; node < nodes_.size(); ++node) {
        NodeCoverage& coverage = result[node];
        coverage.nodeId = nodes_[node]->GetId();
        coverage.entered = entered_[node];
        const auto begin = static_cast<std::ptrdiff_t>(firstResponse_[node]);
        const auto end = static_cast<std::ptrdiff_t>(firstResponse_[node + 1]);
        coverage.offered.assign(offered_.begin() + begin, offered_.begin() + end);
        coverage.chosen.assign(chosen_.begin() + begin, chosen_.begin() + end);
    }
    return result;
}

}  // namespace tw
