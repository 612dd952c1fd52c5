// The dialogue check beside the compile walk it contains: the check compiles every command
// and condition too, then walks the references, tags and names once.

#include <benchmark/benchmark.h>

#include "bench_corpus.h"
#include "model/check/dialogue_check.h"
#include "model/check/dialogue_references.h"
#include "model/dialogue_compile.h"

namespace tw::bench {
namespace {

void BM_Check(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    std::size_t findings = 0;
    for (auto _ : state) {
        findings = CheckDialogue(*corpus.dialogue).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_Check)->Apply(DialogueSizes);

// The reference index alone, as Go to Node and Links to This Node build it.
void BM_CheckReferences(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    CompileDialogue(*corpus.dialogue);
    for (auto _ : state) {
        const DialogueReferences references(*corpus.dialogue);
        benchmark::DoNotOptimize(references.All().size());
    }
}
BENCHMARK(BM_CheckReferences)->Apply(DialogueSizes);

}  // namespace
}  // namespace tw::bench
