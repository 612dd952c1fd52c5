// The dialogue check beside the compile walk it contains: the check compiles every command
// and condition too, then walks the references, tags and names once.

#include <benchmark/benchmark.h>

#include "bench_corpus.h"
#include "model/check/dialogue_check.h"
#include "model/check/dialogue_check_cache.h"
#include "model/check/dialogue_references.h"
#include "model/command_kinds.h"
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

// The check the Problems pane runs after the writer edits one node: the cache derives that
// node again and runs the rules across nodes over what it kept. Each iteration edits the
// node (a command added or taken out, so the findings change) outside the timing.
void BM_CheckAfterOneNodeEdit(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    Dialogue& dialogue = *corpus.dialogue;
    DialogueNode& node = *dialogue.Root().Children().back();
    DialogueCheckCache cache;
    cache.Check(dialogue);
    std::size_t findings = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (node.Commands().empty() || node.Commands().back()->GetText() != "$x =") {
            node.AppendCommand(std::make_unique<CommandManual>("$x ="));
        } else {
            node.RemoveCommandAt(node.Commands().size() - 1);
        }
        cache.MarkChanged(node);
        state.ResumeTiming();
        findings = cache.Check(dialogue).size();
        benchmark::DoNotOptimize(findings);
    }
    if (cache.LastDerived() != 1) {
        state.SkipWithError("the cache derived more than the edited node");
    }
    if (!node.Commands().empty() && node.Commands().back()->GetText() == "$x =") {
        node.RemoveCommandAt(node.Commands().size() - 1);  // the corpus is shared
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckAfterOneNodeEdit)->Apply(DialogueSizes);

// The first check of a document: every node derived, as the full check compiles them all.
void BM_CheckCacheFirst(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    for (auto _ : state) {
        DialogueCheckCache cache;
        benchmark::DoNotOptimize(cache.Check(*corpus.dialogue).size());
    }
}
BENCHMARK(BM_CheckCacheFirst)->Apply(DialogueSizes);

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
