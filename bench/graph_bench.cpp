// The conversation map: extracting the graph of a whole dialogue, cutting a neighbourhood
// out of it and laying that out with Graphviz, as a map view does on each change.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>

#include "bench_corpus.h"
#include "graph/dialogue_graph.h"
#include "graph/graph_layout.h"
#include "graph/graph_neighbourhood.h"
#include "model/check/dialogue_references.h"
#include "model/dialogue_compile.h"

namespace tw::bench {
namespace {

// The whole graph of a corpus, and the centres of the neighbourhoods measured.
struct MapCorpus {
    DialogueGraph graph;
    std::size_t busiestAtTwo = 0;  // the largest neighbourhood within two links
    std::size_t nearest200 = 0;    // a neighbourhood of about 200 nodes, within kWideHops
};

constexpr std::size_t kWideHops = 4;
// Centres tried when looking for the neighbourhoods, spread evenly over the dialogue.
constexpr std::size_t kCandidates = 2000;

std::size_t CutSize(const DialogueGraph& graph, std::size_t center, std::size_t hops) {
    return NeighbourhoodOf(graph, center, hops).Nodes().size();
}

// Generated dialogues link sparsely: two links from any node reach at most a few dozen
// nodes, so the 200-node neighbourhood needs four.
const MapCorpus& MapOf(std::int64_t nodes) {
    static std::map<std::int64_t, MapCorpus> maps;
    auto [entry, isNew] = maps.try_emplace(nodes);
    if (isNew) {
        Dialogue& dialogue = *CorpusOf(nodes).dialogue;
        MapCorpus& map = entry->second;
        map.graph = CompileDialogueGraph(dialogue);
        const std::size_t count = map.graph.Nodes().size();
        const std::size_t stride = std::max<std::size_t>(1, count / kCandidates);
        std::size_t bestAtTwo = 0;
        std::size_t bestWide = 0;
        for (std::size_t center = 0; center < count; center += stride) {
            if (const std::size_t size = CutSize(map.graph, center, 2); size > bestAtTwo) {
                bestAtTwo = size;
                map.busiestAtTwo = center;
            }
            const std::size_t wide = CutSize(map.graph, center, kWideHops);
            if (std::labs(static_cast<long>(wide) - 200) <
                std::labs(static_cast<long>(bestWide) - 200)) {
                bestWide = wide;
                map.nearest200 = center;
            }
        }
    }
    return entry->second;
}

void CountCut(benchmark::State& state, const DialogueGraph& cut) {
    state.counters["nodes"] = static_cast<double>(cut.Nodes().size());
    state.counters["links"] = static_cast<double>(cut.Edges().size());
}

// The reference index and the graph over it, on a dialogue compiled beforehand (as after the
// check the editor runs anyway).
void BM_GraphExtract(benchmark::State& state) {
    Dialogue& dialogue = *CorpusOf(state.range(0)).dialogue;
    CompileDialogue(dialogue);
    std::size_t links = 0;
    for (auto _ : state) {
        const DialogueReferences references(dialogue);
        const DialogueGraph graph = BuildDialogueGraph(references);
        links = graph.Edges().size();
        benchmark::DoNotOptimize(links);
    }
    state.counters["links"] = static_cast<double>(links);
}
BENCHMARK(BM_GraphExtract)->Apply(DialogueSizes);

// What graph --format json pays before printing: the compile, then the extraction.
void BM_GraphCompileAndExtract(benchmark::State& state) {
    Dialogue& dialogue = *CorpusOf(state.range(0)).dialogue;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CompileDialogueGraph(dialogue).Edges().size());
    }
}
BENCHMARK(BM_GraphCompileAndExtract)->Apply(DialogueSizes);

void BM_GraphNeighbourhood(benchmark::State& state) {
    const MapCorpus& map = MapOf(state.range(0));
    DialogueGraph cut;
    for (auto _ : state) {
        cut = NeighbourhoodOf(map.graph, map.busiestAtTwo, 2);
        benchmark::DoNotOptimize(cut.Nodes().size());
    }
    CountCut(state, cut);
}
BENCHMARK(BM_GraphNeighbourhood)->Apply(DialogueSizes);

void LayoutCut(benchmark::State& state, std::size_t center, std::size_t hops) {
    const MapCorpus& map = MapOf(state.range(0));
    const DialogueGraph cut = NeighbourhoodOf(map.graph, center, hops);
    for (auto _ : state) {
        const LayoutOutcome outcome = LayoutGraph(cut);
        if (outcome.error) {
            state.SkipWithError(outcome.error->c_str());
            break;
        }
        benchmark::DoNotOptimize(outcome.layout.boxes.data());
    }
    CountCut(state, cut);
}

// The layout of a cut, as the map view redoes it when the selection moves. Graphviz runs on
// a thread of its own, so these count the wall clock.
void BM_GraphNeighbourhoodLayout(benchmark::State& state) {
    LayoutCut(state, MapOf(state.range(0)).busiestAtTwo, 2);
}
BENCHMARK(BM_GraphNeighbourhoodLayout)->Apply(DialogueSizes)->UseRealTime();

void BM_GraphNeighbourhood200Layout(benchmark::State& state) {
    LayoutCut(state, MapOf(state.range(0)).nearest200, kWideHops);
}
BENCHMARK(BM_GraphNeighbourhood200Layout)->Apply(DialogueSizes)->UseRealTime();

}  // namespace
}  // namespace tw::bench
