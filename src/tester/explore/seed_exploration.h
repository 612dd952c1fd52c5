#pragma once

// One seed's exploration: breadth first from the start of the test over every moment at
// which the run waits for the player, trying every input there and both answers of every
// question, each moment explored once.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "script/environment.h"
#include "tester/explore/environment_delta.h"
#include "tester/explore/explore_result.h"
#include "tester/explore/state_fingerprint.h"
#include "tester/explore/state_graph.h"
#include "tester/run_state.h"

namespace tw {

class DialogueNode;
class DialogueTally;
class ExploreDisplay;
class ExploreFindings;
class PartySettings;
class TestSession;
struct ExploreControl;
struct ExploreOptions;

// What the seeds of one exploration share: the test session they drive and what the roads
// met.
struct ExploreContext {
    const ExploreOptions& options;
    const ExploreControl& control;
    DialogueNode* start;  // nullptr: the initialization node
    std::vector<std::string> replies;
    DialogueTally& tally;
    ExploreDisplay& display;
    TestSession& session;
    PartySettings& party;  // the session's, put back to the options' before every start
    ExploreFindings& findings;
    std::size_t seedIndex = 0;
};

class SeedExploration {
public:
    SeedExploration(ExploreContext& context, std::uint32_t seed);
    // Explores until every state is explored, the bound is met or the run is cancelled.
    ExploreEnd Run();
    std::size_t States() const { return graph_.Size(); }
    std::size_t Steps() const { return steps_; }

private:
    // A state yet to be explored, with all it takes to put the session back into it.
    struct Pending {
        std::uint32_t state = 0;
        RunState run;
        EnvironmentDelta environment;
        bool ended = false;
    };

    void Start();
    void RunStart(const std::vector<bool>& answers);
    void Explore(Pending pending);
    void TryInput(const Pending& from, StepInput input);
    void TakeStep(const Pending& from, StepInput input, const std::vector<bool>& answers);
    // Tries every answer script of a step, scripts growing from the answers the last run gave.
    template <typename Step>
    void TryAnswers(Step step);
    // A step has ended: the state it reached is looked up, and kept when it is new.
    void Arrive(std::uint32_t parent, StepInput input, const OfferedResponse* chosen);
    void Keep(std::uint32_t parent, StepInput input, Pending next);
    void NoteFailures(std::uint32_t parent, StepInput input, const OfferedResponse* chosen);
    void NoteOffers(const RunState& run);
    void ReportNoWayOut();
    void ReportProgress();
    void Bound(ExploreEnd end);

    ExploreContext& c_;
    std::uint32_t seed_;
    StateGraph graph_;
    std::unordered_map<StateFingerprint, std::uint32_t, StateFingerprintHash> seen_;
    std::deque<Pending> frontier_;
    Environment base_;  // the first start's; every state's environment is kept as a delta
    bool hasBase_ = false;
    EnvironmentDelta current_;  // the session's environment now, as a delta
    ExploreEnd end_ = ExploreEnd::kComplete;
    std::size_t steps_ = 0;
};

// The rows a player can choose at a moment; none while a reply is awaited.
std::size_t SelectableRows(const RunState& run);

}  // namespace tw
