#pragma once

// The nodes and [ADD] responses of a dialogue numbered for an exploration, with what its
// roads met of them: nodes entered, responses offered and chosen.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "tester/explore/explore_result.h"
#include "tester/run_state.h"

namespace tw {

class Dialogue;
class DialogueNode;

class DialogueTally {
public:
    static constexpr std::uint32_t kNoNode = 0xFFFFFFFFu;

    explicit DialogueTally(Dialogue& dialogue);

    std::size_t NodeCount() const { return nodes_.size(); }
    // The node's place in pre-order; kNoNode for none.
    std::uint32_t IndexOf(const DialogueNode* node) const;
    DialogueNode& NodeAt(std::uint32_t index) const { return *nodes_[index]; }

    void MarkEntered(const DialogueNode* node);
    // The [ADD] response that made the offer counts; a list's entries are none.
    void MarkOffered(const OfferedResponse& offer);
    void MarkChosen(const OfferedResponse& offer);

    bool WasEntered(std::uint32_t node) const { return entered_[node]; }
    bool IsAdd(std::uint32_t node, std::size_t row) const { return isAdd_[Slot(node, row)]; }
    bool WasOffered(std::uint32_t node, std::size_t row) const { return offered_[Slot(node, row)]; }

    ExploreCoverage Coverage() const;
    std::vector<NodeCoverage> NodeCoverages() const;

private:
    std::size_t Slot(std::uint32_t node, std::size_t row) const {
        return firstResponse_[node] + row;
    }
    // The slot of the response that made the offer, if it is one of this dialogue's.
    std::optional<std::size_t> SlotOf(const OfferedResponse& offer) const;

    std::vector<DialogueNode*> nodes_;
    std::unordered_map<const DialogueNode*, std::uint32_t> index_;
    std::vector<std::size_t> firstResponse_;  // per node, and the total at the end
    std::vector<bool> isAdd_;
    std::vector<bool> entered_;
    std::vector<bool> offered_;
    std::vector<bool> chosen_;
    std::unordered_map<const NodeResponse*, std::size_t> slots_;
};

}  // namespace tw
