// The compile window's walk over a whole dialogue, and a batch export of many files.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>

#include "bench_corpus.h"
#include "export/batch_export.h"
#include "model/dialogue_compile.h"

namespace tw::bench {
namespace {

// The walk the compile window runs, with a progress call after every node as it takes.
void BM_EditorCompileWalk(benchmark::State& state) {
    Dialogue& dialogue = *CorpusOf(state.range(0)).dialogue;
    std::size_t calls = 0;
    for (auto _ : state) {
        const auto errors =
            CompileDialogue(dialogue, [&calls](const CompileProgress&) { ++calls; });
        if (!errors.empty()) {
            throw std::runtime_error("the corpus does not compile: " + errors.front());
        }
    }
    benchmark::DoNotOptimize(calls);
}
BENCHMARK(BM_EditorCompileWalk)->Apply(DialogueSizes)->Iterations(3);

constexpr int kBatchFiles = 200;
constexpr std::int64_t kBatchNodes = 1'000;

// 200 copies of the 1,000-node dialogue in a source directory of their own.
std::string BatchSource() {
    const Corpus& corpus = CorpusOf(kBatchNodes);
    const std::string dir = ScratchPath(corpus, "batch_source");
    if (!std::filesystem::exists(dir)) {
        std::filesystem::create_directories(dir);
        for (int i = 0; i < kBatchFiles; ++i) {
            WritePlain(dir + "/npc" + std::to_string(i) + ".vrx", corpus.bytes);
        }
    }
    return dir;
}

void BM_EditorBatchExport(benchmark::State& state) {
    const std::string source = BatchSource();
    const std::string dest = ScratchPath(CorpusOf(kBatchNodes), "batch_dest");
    std::filesystem::create_directories(dest);
    for (auto _ : state) {
        const BatchExportReport report = RunBatchExport(source, dest, FileDialogueLoader());
        if (report.exported != kBatchFiles) {
            throw std::runtime_error("the batch exported too few files");
        }
    }
}
BENCHMARK(BM_EditorBatchExport)->Unit(benchmark::kMillisecond)->Iterations(2);

// The yardstick: the same files read and their exports written plainly.
void BM_EditorBatchExportYardstick(benchmark::State& state) {
    const std::string source = BatchSource();
    const Corpus& corpus = CorpusOf(kBatchNodes);
    const std::string dest = ScratchPath(corpus, "batch_plain");
    std::filesystem::create_directories(dest);
    for (auto _ : state) {
        for (int i = 0; i < kBatchFiles; ++i) {
            const std::string name = "npc" + std::to_string(i);
            benchmark::DoNotOptimize(ReadPlain(source + "/" + name + ".vrx"));
            WritePlain(dest + "/" + name + ".txt", corpus.script);
        }
    }
}
BENCHMARK(BM_EditorBatchExportYardstick)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace tw::bench
