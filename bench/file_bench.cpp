// Reading and writing dialogue files and export files, each beside plain buffered I/O of
// the same bytes.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string_view>

#include "bench_corpus.h"
#include "export/dialogue_export.h"
#include "model/file.h"
#include "model/file_fingerprint.h"

namespace tw::bench {
namespace {

void SetBytes(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["bytes"] = static_cast<double>(bytes);
}

// Destroys a document read in the loop with the clock stopped: closing is not loading.
void DiscardUntimed(benchmark::State& state, std::unique_ptr<Dialogue>& dialogue) {
    state.PauseTiming();
    dialogue.reset();
    state.ResumeTiming();
}

// Load: open, read and parse the file into a new document.
void BM_Load(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    const std::string path = ScratchPath(corpus, "load.vrx");
    WritePlain(path, corpus.bytes);
    for (auto _ : state) {
        auto dialogue = std::make_unique<Dialogue>();
        if (dialogue->Load(path)) {
            state.SkipWithError("load failed");
        }
        DiscardUntimed(state, dialogue);
    }
    SetBytes(state, corpus.bytes.size());
}
BENCHMARK(BM_Load)->Apply(DialogueSizes);

void BM_Load_PlainRead(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    const std::string path = ScratchPath(corpus, "load.vrx");
    WritePlain(path, corpus.bytes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadPlain(path));
    }
    SetBytes(state, corpus.bytes.size());
}
BENCHMARK(BM_Load_PlainRead)->Apply(DialogueSizes);

// The fingerprint the editor takes of a file after each load and save: stat, read and hash.
void BM_FingerprintOfFile(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    const std::string path = ScratchPath(corpus, "load.vrx");
    WritePlain(path, corpus.bytes);
    for (auto _ : state) {
        if (!FingerprintOfFile(path)) {
            state.SkipWithError("fingerprint failed");
        }
    }
    SetBytes(state, corpus.bytes.size());
}
BENCHMARK(BM_FingerprintOfFile)->Apply(DialogueSizes);

// Save: serialise the document and replace the file atomically (temporary file, sync,
// rename).
void BM_Save(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    const std::string path = ScratchPath(corpus, "save.vrx");
    for (auto _ : state) {
        if (corpus.dialogue->SaveAs(path)) {
            state.SkipWithError("save failed");
        }
    }
    SetBytes(state, corpus.bytes.size());
}
BENCHMARK(BM_Save)->Apply(DialogueSizes);

void BM_Save_PlainWrite(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    const std::string path = ScratchPath(corpus, "plain.vrx");
    for (auto _ : state) {
        WritePlain(path, corpus.bytes);
    }
    SetBytes(state, corpus.bytes.size());
}
BENCHMARK(BM_Save_PlainWrite)->Apply(DialogueSizes);

// The same bytes with a save's durability but no serialising: written and synced beside
// the target, renamed over it, the directory synced. Save minus this is the cost of
// turning the document into bytes.
void BM_Save_PlainDurable(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    const std::string path = ScratchPath(corpus, "durable.vrx");
    for (auto _ : state) {
        WritePlain(path + ".tmp", corpus.bytes);
        std::rename((path + ".tmp").c_str(), path.c_str());
        SyncDirectory(corpus.directory);
    }
    SetBytes(state, corpus.bytes.size());
}
BENCHMARK(BM_Save_PlainDurable)->Apply(DialogueSizes);

// The in-memory halves of load and save, without the file system.
void BM_ReadBytes(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    for (auto _ : state) {
        auto dialogue = std::make_unique<Dialogue>();
        benchmark::DoNotOptimize(dialogue->Read(corpus.bytes));
        DiscardUntimed(state, dialogue);
    }
    SetBytes(state, corpus.bytes.size());
}
BENCHMARK(BM_ReadBytes)->Apply(DialogueSizes);

void BM_WriteBytes(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(corpus.dialogue->Write());
    }
    SetBytes(state, corpus.bytes.size());
}
BENCHMARK(BM_WriteBytes)->Apply(DialogueSizes);

// The yardstick for WriteBytes: the same bytes appended to a new string in pieces of the
// size of a typical field, from one contiguous buffer. What this costs per byte at each
// size is the price of building a string that size on this machine (growth, fresh pages,
// caches), whatever builds it.
void BM_WriteBytes_PlainAppend(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    constexpr std::size_t kPiece = 40;
    const std::string_view bytes = corpus.bytes;
    for (auto _ : state) {
        std::string out;
        for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
            out.append(bytes.substr(at, kPiece));
        }
        benchmark::DoNotOptimize(out);
    }
    SetBytes(state, corpus.bytes.size());
}
BENCHMARK(BM_WriteBytes_PlainAppend)->Apply(DialogueSizes);

// Export to a file, CR LF line ends, replaced atomically like a save.
void BM_Export(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    const std::string path = ScratchPath(corpus, "export.txt");
    for (auto _ : state) {
        if (Export(*corpus.dialogue, path)) {
            state.SkipWithError("export failed");
        }
    }
    SetBytes(state, ToCrLf(corpus.script).size());
}
BENCHMARK(BM_Export)->Apply(DialogueSizes);

void BM_Export_PlainWrite(benchmark::State& state) {
    const Corpus& corpus = CorpusOf(state.range(0));
    const std::string path = ScratchPath(corpus, "plain.txt");
    const std::string bytes = ToCrLf(corpus.script);
    for (auto _ : state) {
        WritePlain(path, bytes);
    }
    SetBytes(state, bytes.size());
}
BENCHMARK(BM_Export_PlainWrite)->Apply(DialogueSizes);

}  // namespace
}  // namespace tw::bench
