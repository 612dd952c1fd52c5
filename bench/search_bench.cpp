// The find bar's search over a whole generated dialogue: every field, then only node
// names, and the first slice a window would show before it yields to its event loop.

#include <benchmark/benchmark.h>

#include <vector>

#include "bench_corpus.h"
#include "model/search/dialogue_search.h"

namespace tw::bench {
namespace {

// A word the generator's texts and scripts hold often, so the results list fills too.
constexpr char kPattern[] = "gold";

void RunSearch(benchmark::State& state, SearchOptions options) {
    const Corpus& corpus = CorpusOf(state.range(0));
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<SearchMatch> matches = SearchDialogue(*corpus.dialogue, options);
        found = matches.size();
        benchmark::DoNotOptimize(matches.data());
    }
    state.counters["matches"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SearchAllFields(benchmark::State& state) {
    RunSearch(state, SearchOptions{kPattern});
}
BENCHMARK(BM_SearchAllFields)->Apply(DialogueSizes);

void BM_SearchWholeWordMatchCase(benchmark::State& state) {
    RunSearch(state, SearchOptions{kPattern, true, true, kAllSearchFields});
}
BENCHMARK(BM_SearchWholeWordMatchCase)->Apply(DialogueSizes);

void BM_SearchNodeNames(benchmark::State& state) {
    RunSearch(state, SearchOptions{kPattern, false, false, FieldBit(SearchField::kNodeName)});
}
BENCHMARK(BM_SearchNodeNames)->Apply(DialogueSizes);

// One slice of 2,000 nodes: the longest the window waits before results show.
void BM_SearchFirstSlice(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    for (auto _ : state) {
        DialogueSearch search(*corpus.dialogue, SearchOptions{kPattern});
        std::vector<SearchMatch> matches;
        search.Step(2000, matches);
        benchmark::DoNotOptimize(matches.data());
    }
}
BENCHMARK(BM_SearchFirstSlice)->Apply(DialogueSizes);

}  // namespace
}  // namespace tw::bench
