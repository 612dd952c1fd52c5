#pragma once

// What an exploration of a dialogue found: the faults a player can meet, each with the
// shortest road to it as the input lines of `play`, and how much of the dialogue the roads
// cover.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/check/check_finding.h"

namespace tw {

inline constexpr std::string_view kRuleRuntimeError = "runtime-error";
inline constexpr std::string_view kRuleDeadEnd = "dead-end";
inline constexpr std::string_view kRuleNoWayOut = "no-way-out";
inline constexpr std::string_view kRuleNeverReached = "never-reached";
inline constexpr std::string_view kRuleNeverOffered = "never-offered";

// Every rule, in the order its findings come within a node.
const std::vector<std::string_view>& ExploreRules();

struct ExploreFinding {
    // Rule, severity, node (nodeId and label; the node pointer points into the dialogue that
    // was explored), the command or response row it concerns, and the message.
    Finding finding;
    std::string tag;  // the tag of the [ADD] response it concerns, if any
    // The road: `play --seed seed --input` with these lines (Windows-1252, as the dialogue's
    // text) plays it to the finding, from the start the exploration had. Each line is a
    // row to choose, counted from 1 ("2"), a typed reply ("say TEXT", or "say" for the empty
    // one), or the answer to the runtime-error question the step before raised ("yes",
    // "no"), in the order the run asks for them. Findings about what no road meets have none.
    bool hasRoad = false;
    std::uint32_t seed = 0;
    std::vector<std::string> road;
};

struct ExploreCoverage {
    std::size_t nodes = 0;
    std::size_t nodesEntered = 0;
    std::size_t responses = 0;  // [ADD] responses
    std::size_t responsesOffered = 0;
    std::size_t responsesChosen = 0;
};

// One node's share of the coverage, for shading a tree.
struct NodeCoverage {
    std::int32_t nodeId = 0;
    bool entered = false;
    std::vector<bool> offered;  // one per response row; [CUT] rows stay false
    std::vector<bool> chosen;
};

// Why an exploration stopped.
enum class ExploreEnd {
    kComplete,       // every road of every seed was followed
    kStateBound,     // a seed met more states than the bound
    kQuestionBound,  // a step asked more questions than are explored both ways
    kCancelled,
};

struct ExploreResult {
    // The dialogue's compile messages; when there are any, nothing was explored.
    std::vector<std::string> compileErrors;
    // What loading the state file reported (its failing lines, a refused file).
    std::vector<std::string> stateMessages;
    std::size_t states = 0;       // distinct states, summed over the seeds
    std::size_t transitions = 0;  // steps taken, answers of questions told apart
    ExploreEnd end = ExploreEnd::kComplete;
    ExploreCoverage coverage;
    std::vector<NodeCoverage> nodes;  // in pre-order
    // Node by node in pre-order; within a node in the order of ExploreRules(), then by row.
    std::vector<ExploreFinding> findings;

    bool IsComplete() const { return end == ExploreEnd::kComplete; }
};

}  // namespace tw
