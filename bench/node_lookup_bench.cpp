// Finding a node by id, as the editor does on every selection and typed character: the
// document's index against the pre-order walk it replaced, which grows with the tree.

#include <benchmark/benchmark.h>

#include <vector>

#include "bench_corpus.h"
#include "model/tree_walk.h"

namespace tw::bench {
namespace {

// Every 97th id in pre-order, the last node included: the walk's cost ranges over the tree.
std::vector<std::int32_t> SampleIds(Dialogue& dialogue) {
    std::vector<std::int32_t> all;
    ForEachPreOrder(dialogue.Root(),
                    [&all](const DialogueNode& node) { all.push_back(node.GetId()); });
    std::vector<std::int32_t> sample;
    for (std::size_t at = 0; at < all.size(); at += 97) {
        sample.push_back(all[at]);
    }
    sample.push_back(all.back());
    return sample;
}

// One look-up per iteration, cycling through the sample.
template <typename Find>
void RunLookups(benchmark::State& state, Find find) {
    Dialogue& dialogue = *CorpusOf(state.range(0)).dialogue;
    const std::vector<std::int32_t> ids = SampleIds(dialogue);
    dialogue.FindNodeById(0);  // the index is built at the first look-up
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(find(dialogue, ids[next]));
        next = next + 1 == ids.size() ? 0 : next + 1;
    }
    state.counters["nodes"] = static_cast<double>(state.range(0));
}

void BM_FindNodeById(benchmark::State& state) {
    RunLookups(state,
               [](Dialogue& dialogue, std::int32_t id) { return dialogue.FindNodeById(id); });
}
BENCHMARK(BM_FindNodeById)->Apply(DialogueSizes)->Unit(benchmark::kNanosecond);

void BM_FindNodeById_Walk(benchmark::State& state) {
    RunLookups(state, [](Dialogue& dialogue, std::int32_t id) {
        return FindPreOrder(dialogue.Root(),
                            [id](const DialogueNode& node) { return node.GetId() == id; });
    });
}
BENCHMARK(BM_FindNodeById_Walk)->Apply(DialogueSizes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tw::bench
