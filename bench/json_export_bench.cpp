// The JSON form both ways and the export script in memory.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench_corpus.h"
#include "export/dialogue_export.h"
#include "model/dialogue_json.h"

namespace tw::bench {
namespace {

void BM_JsonWrite(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(DialogueToJson(*corpus.dialogue));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.json.size()));
}
BENCHMARK(BM_JsonWrite)->Apply(DialogueSizes);

void BM_JsonRead(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    for (auto _ : state) {
        auto dialogue = std::make_unique<Dialogue>();
        if (DialogueFromJson(corpus.json, *dialogue)) {
            state.SkipWithError("JSON read failed");
        }
        // Closing is not reading.
        state.PauseTiming();
        dialogue.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.json.size()));
}
BENCHMARK(BM_JsonRead)->Apply(DialogueSizes);

// As convert reads a file: the text in a string of its own, read where it stands.
void BM_JsonReadInPlace(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    std::string text = corpus.json;
    for (auto _ : state) {
        auto dialogue = std::make_unique<Dialogue>();
        if (DialogueFromJsonText(text, *dialogue)) {
            state.SkipWithError("JSON read failed");
        }
        state.PauseTiming();
        dialogue.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.json.size()));
}
BENCHMARK(BM_JsonReadInPlace)->Apply(DialogueSizes);

void BM_ExportScript(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExportScript(*corpus.dialogue));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.script.size()));
}
BENCHMARK(BM_ExportScript)->Apply(DialogueSizes);

}  // namespace
}  // namespace tw::bench
