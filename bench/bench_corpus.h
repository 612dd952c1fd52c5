#pragma once

// The generated dialogues the benchmarks work on, made once per size and run, with the
// forms of them each benchmark starts from.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/dialogue.h"

namespace tw::bench {

struct Corpus {
    std::unique_ptr<Dialogue> dialogue;
    std::string bytes;                    // the dialogue file
    std::string json;                     // its JSON form
    std::string script;                   // its export, LF line ends
    std::vector<std::string> statements;  // the script text of every command, in tree order
    std::vector<std::string> conditions;  // every response condition, in tree order
    std::string lua;                      // the statements written as Lua, one per line
    std::string directory;                // scratch files of this size live here
};

// The corpus of a dialogue of that many nodes; generated on first use.
const Corpus& CorpusOf(std::int64_t nodes);

// A path in the corpus's scratch directory.
std::string ScratchPath(const Corpus& corpus, const std::string& name);

// The three sizes every benchmark runs at.
void DialogueSizes(benchmark::internal::Benchmark* benchmark);

// Writes bytes to path with one buffered fwrite, flushed and synced as a save is: the
// yardstick for writing a file of that size.
void WritePlain(const std::string& path, const std::string& bytes);
// Syncs a directory, as a save does after renaming into it.
void SyncDirectory(const std::string& directory);
// Reads the whole file with buffered fread calls: the yardstick for reading it.
std::string ReadPlain(const std::string& path);

}  // namespace tw::bench
