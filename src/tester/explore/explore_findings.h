#pragma once

// The findings of an exploration as they come in from the seeds: one per rule, place and
// message, with the shortest road any seed found to it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tester/explore/explore_result.h"

namespace tw {

class DialogueTally;
class NodeCommand;
class NodeResponse;
struct OfferedResponse;
struct StepFailure;

// Where a finding is and what it says.
struct FindingPlace {
    std::string_view rule;
    std::uint32_t node = 0;  // in the tally's pre-order
    ItemKind item = ItemKind::Node;
    std::size_t row = 0;
    std::string tag;
    std::string message;
};

class ExploreFindings {
public:
    explicit ExploreFindings(const DialogueTally& tally) : tally_(tally) {}

    // Keeps the finding unless the same one is kept with a road of at most roadLines lines;
    // road is asked for only when it is kept.
    void Add(FindingPlace place, std::uint32_t seed, std::uint32_t roadLines,
             const std::function<std::vector<std::string>()>& road);
    // A finding with no road: about what no road meets.
    void AddWithoutRoad(FindingPlace place);

    // Sorted node by node in pre-order, then by rule, row and message.
    std::vector<ExploreFinding> Take();

private:
    struct Kept {
        std::uint32_t node = 0;
        std::uint32_t lines = 0;
        ExploreFinding finding;
    };

    Kept& Slot(const FindingPlace& place, bool& isNew);

    const DialogueTally& tally_;
    std::map<std::string, Kept> kept_;
};

// What a runtime error reported in a step says, and the row it concerns; chosen is the
// response the step chose, if it chose one.
FindingPlace RuntimeErrorPlace(const DialogueTally& tally, const StepFailure& failure,
                               const OfferedResponse* chosen);

FindingPlace DeadEndPlace(std::uint32_t node);
FindingPlace NoWayOutPlace(std::uint32_t node);
FindingPlace NeverReachedPlace(std::uint32_t node);
FindingPlace NeverOfferedPlace(const DialogueTally& tally, std::uint32_t node, std::size_t row);

}  // namespace tw
