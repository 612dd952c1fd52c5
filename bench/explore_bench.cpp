// Exploring a generated dialogue: states (and steps, one input tried from a state) per
// second of the breadth-first walk itself, and the fixed cost around it (the compile before, the
// findings about every node no road met after). The generated dialogues' counters grow without end,
// so every exploration runs to its bound.

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>

#include "bench_corpus.h"
#include "model/tree_walk.h"
#include "tester/explore/dialogue_explorer.h"

namespace tw::bench {
namespace {

constexpr std::size_t kStates = 20'000;

using Clock = std::chrono::steady_clock;

// The first node in pre-order from which an exploration meets a small bound: some
// generated starts lead straight into a dead end.
DialogueNode* BusyStart(std::int64_t nodes) {
    static std::map<std::int64_t, DialogueNode*> chosen;
    if (const auto found = chosen.find(nodes); found != chosen.end()) {
        return found->second;
    }
    Dialogue& dialogue = *CorpusOf(nodes).dialogue;
    ExploreOptions probe;
    probe.maxStates = 200;
    DialogueNode* start = FindPreOrder(dialogue.Root(), [&](DialogueNode& node) {
        return ExploreDialogue(dialogue, &node, probe).end == ExploreEnd::kStateBound;
    });
    return chosen[nodes] = start;
}

void BM_Explore(benchmark::State& state) {
    Dialogue& dialogue = *CorpusOf(state.range(0)).dialogue;
    DialogueNode* start = BusyStart(state.range(0));
    if (start == nullptr) {
        state.SkipWithError("no start of the generated dialogue leads anywhere");
        return;
    }
    ExploreOptions options;
    options.maxStates = kStates;
    double walkSeconds = 0;
    double fixedSeconds = 0;
    std::size_t walked = 0;
    std::size_t stepped = 0;
    for (auto _ : state) {
        // The walk is timed from the first progress report to the last.
        Clock::time_point first;
        Clock::time_point last;
        ExploreProgress firstSeen;
        ExploreProgress lastSeen;
        ExploreControl control;
        control.progress = [&](const ExploreProgress& progress) {
            last = Clock::now();
            lastSeen = progress;
            if (firstSeen.states == 0) {
                first = last;
                firstSeen = progress;
            }
        };
        const Clock::time_point begin = Clock::now();
        const ExploreResult result = ExploreDialogue(dialogue, start, options, control);
        const Clock::time_point end = Clock::now();
        benchmark::DoNotOptimize(result.findings.data());
        const double walk = std::chrono::duration<double>(last - first).count();
        walkSeconds += walk;
        fixedSeconds += std::chrono::duration<double>(end - begin).count() - walk;
        walked += lastSeen.states - firstSeen.states;
        stepped += lastSeen.steps - firstSeen.steps;
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
    }
    state.counters["states/s"] = static_cast<double>(walked) / walkSeconds;
    state.counters["steps/s"] = static_cast<double>(stepped) / walkSeconds;
    state.counters["fixed_ms"] = 1000 * fixedSeconds / static_cast<double>(state.iterations());
    state.counters["start"] = static_cast<double>(start->GetId());
}
BENCHMARK(BM_Explore)->Apply(DialogueSizes)->UseManualTime()->Iterations(3);

}  // namespace
}  // namespace tw::bench
