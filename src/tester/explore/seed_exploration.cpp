#include "tester/explore/seed_exploration.h"

#include <algorithm>
#include <utility>

#include "tester/explore/dialogue_tally.h"
#include "tester/explore/explore_display.h"
#include "tester/explore/explore_findings.h"
#include "tester/explore/explore_options.h"
#include "tester/party_settings.h"
#include "tester/test_session.h"

namespace tw {

std::size_t SelectableRows(const RunState& run) {
    if (run.awaitingReply) {
        return 0;
    }
    if (run.gotoPending || run.branchArmed) {
        return run.rows.size();
    }
    return std::min(run.rows.size(), run.shownResponses.size());
}

SeedExploration::SeedExploration(ExploreContext& context, std::uint32_t seed)
    : c_(context), seed_(seed) {}

ExploreEnd SeedExploration::Run() {
    Start();
    std::size_t explored = 0;
    while (!frontier_.empty()) {
        if (c_.control.cancel != nullptr && c_.control.cancel->load(std::memory_order_relaxed)) {
            end_ = ExploreEnd::kCancelled;
            break;
        }
        Pending next = std::move(frontier_.front());
        frontier_.pop_front();
        Explore(std::move(next));
        if (++explored % ExploreControl::kProgressInterval == 0) {
            ReportProgress();
        }
    }
    ReportNoWayOut();
    ReportProgress();
    return end_;
}

void SeedExploration::ReportProgress() {
    if (c_.control.progress) {
        c_.control.progress({.states = graph_.Size(),
                             .steps = steps_,
                             .maxStates = c_.options.maxStates,
                             .seedIndex = c_.seedIndex,
                             .seedCount = c_.options.seeds.size()});
    }
}

void SeedExploration::Bound(ExploreEnd end) {
    if (end_ == ExploreEnd::kComplete ||
        (end == ExploreEnd::kStateBound && end_ == ExploreEnd::kQuestionBound)) {
        end_ = end;
    }
}

// Each run of a step answers its scripted questions and then yes; every question first
// answered yes is tried again answered no, with the same answers before it.
template <typename Step>
void SeedExploration::TryAnswers(Step step) {
    std::deque<std::vector<bool>> scripts{{}};
    const std::size_t limit = c_.options.maxQuestionsPerStep;
    while (!scripts.empty()) {
        const std::vector<bool> script = std::move(scripts.front());
        scripts.pop_front();
        step(script);
        const std::vector<bool> given = c_.display.Answers();
        for (std::size_t k = script.size(); k < std::min(given.size(), limit); ++k) {
            std::vector<bool> other(given.begin(), given.begin() + static_cast<std::ptrdiff_t>(k));
            other.push_back(!given[k]);
            scripts.push_back(std::move(other));
        }
        if (given.size() > limit) {
            Bound(ExploreEnd::kQuestionBound);
        }
    }
}

void SeedExploration::Start() {
    TryAnswers([this](const std::vector<bool>& answers) { RunStart(answers); });
}

// Every start begins from nothing: an empty environment, a fresh engine, the seed.
void SeedExploration::RunStart(const std::vector<bool>& answers) {
    TestEngine& engine = c_.session.Engine();
    Environment& environment = c_.session.GetEnvironment();
    environment.Clear();
    RunState fresh;
    fresh.randomState = seed_;
    engine.RestoreRunState(fresh);
    c_.party = c_.options.party;
    c_.display.BeginStep(answers, false);
    if (c_.start != nullptr) {
        c_.session.StartAt(*c_.start);
    } else {
        c_.session.Start();
    }
    c_.display.EndStep();
    if (!hasBase_) {
        base_ = Environment(environment);
        hasBase_ = true;
    }
    Arrive(StateGraph::kNone, {InputKind::kStart, 0}, nullptr);
    current_ = DeltaFrom(base_, environment);
}

void SeedExploration::Explore(Pending pending) {
    graph_.BeginExploring(pending.state);
    // The environment first: putting the run state back forgets what its changes journalled.
    MoveEnvironment(c_.session.GetEnvironment(), base_, current_, pending.environment);
    current_ = std::move(pending.environment);
    c_.session.Engine().RestoreRunState(pending.run);
    if (pending.run.awaitingReply) {
        if (c_.replies.empty()) {
            graph_.MarkOpenEnded(pending.state);
        }
        for (std::uint32_t j = 0; j < c_.replies.size(); ++j) {
            TryInput(pending, {InputKind::kSay, j});
        }
        return;
    }
    const std::size_t rows = SelectableRows(pending.run);
    for (std::uint32_t k = 0; k < rows; ++k) {
        TryInput(pending, {InputKind::kChoose, k});
    }
}

void SeedExploration::TryInput(const Pending& from, StepInput input) {
    TryAnswers([&](const std::vector<bool>& answers) { TakeStep(from, input, answers); });
}

// One step from a state and back to it.
void SeedExploration::TakeStep(const Pending& from, StepInput input,
                               const std::vector<bool>& answers) {
    TestEngine& engine = c_.session.Engine();
    c_.display.BeginStep(answers, from.ended);
    std::optional<OfferedResponse> chosen;
    if (input.kind == InputKind::kChoose) {
        if (!from.run.gotoPending && !from.run.branchArmed) {
            chosen = from.run.shownResponses[input.index];
            c_.tally.MarkChosen(*chosen);
        }
        engine.SelectResponse(input.index);
    } else {
        engine.EnterReply(c_.replies[input.index]);
    }
    c_.display.EndStep();
    Arrive(from.state, input, chosen ? &*chosen : nullptr);
    if (!engine.Steps().empty()) {
        engine.StepBack();
    }
}

void SeedExploration::Arrive(std::uint32_t parent, StepInput input, const OfferedResponse* chosen) {
    ++steps_;
    NoteFailures(parent, input, chosen);
    Pending next{0, c_.session.Engine().CurrentRunState(),
                 DeltaFrom(base_, c_.session.GetEnvironment()), c_.display.IsEnded()};
    const StateFingerprint fingerprint = FingerprintOf(next.run, next.environment, next.ended);
    const auto [seen, isNew] =
        seen_.try_emplace(fingerprint, static_cast<std::uint32_t>(graph_.Size()));
    if (!isNew) {
        if (parent != StateGraph::kNone) {
            graph_.AddSuccessor(seen->second);
        }
        return;
    }
    if (graph_.Size() >= c_.options.maxStates) {
        seen_.erase(seen);
        if (parent != StateGraph::kNone) {
            graph_.MarkOpenEnded(parent);
        }
        Bound(ExploreEnd::kStateBound);
        return;
    }
    Keep(parent, input, std::move(next));
}

void SeedExploration::Keep(std::uint32_t parent, StepInput input, Pending next) {
    std::uint32_t node = c_.tally.IndexOf(next.run.node);
    node = node == DialogueTally::kNoNode ? 0 : node;
    const bool deadEnd = !next.ended && !next.run.awaitingReply && SelectableRows(next.run) == 0;
    next.state = graph_.Add(parent, input, c_.display.Answers(), node, next.ended, deadEnd);
    if (parent != StateGraph::kNone) {
        graph_.AddSuccessor(next.state);
    }
    if (deadEnd) {
        c_.findings.Add(DeadEndPlace(node), seed_, graph_.Lines(next.state),
                        [&] { return graph_.Road(next.state, c_.replies); });
    }
    NoteOffers(next.run);
    frontier_.push_back(std::move(next));
}

// The responses a new state offers count as offered.
void SeedExploration::NoteOffers(const RunState& run) {
    if (run.awaitingReply || run.gotoPending || run.branchArmed) {
        return;
    }
    const std::size_t rows = SelectableRows(run);
    for (std::size_t k = 0; k < rows; ++k) {
        c_.tally.MarkOffered(run.shownResponses[k]);
    }
}

// A runtime error's road is the step's state's road, the step's input and the answers given
// before the error's message box came up.
void SeedExploration::NoteFailures(std::uint32_t parent, StepInput input,
                                   const OfferedResponse* chosen) {
    const std::vector<bool>& answers = c_.display.Answers();
    for (const StepFailure& failure : c_.display.Failures()) {
        const std::uint32_t lines = (parent == StateGraph::kNone ? 0 : graph_.Lines(parent)) +
                                    StateGraph::StepLines(input, failure.answersBefore);
        c_.findings.Add(RuntimeErrorPlace(c_.tally, failure, chosen), seed_, lines, [&] {
            std::vector<std::string> road = parent == StateGraph::kNone
                                                ? std::vector<std::string>{}
                                                : graph_.Road(parent, c_.replies);
            StateGraph::AppendStep(road, input, answers, failure.answersBefore, c_.replies);
            return road;
        });
    }
}

void SeedExploration::ReportNoWayOut() {
    for (const std::uint32_t state : graph_.NoWayOutByNode()) {
        c_.findings.Add(NoWayOutPlace(graph_.Node(state)), seed_, graph_.Lines(state),
                        [&] { return graph_.Road(state, c_.replies); });
    }
}

}  // namespace tw
