#pragma once

// Realistic dialogues of any size, for tests, benchmarks and trying the tools on large work.

#include <cstdint>
#include <memory>

#include "model/dialogue.h"

namespace tw {

// What a generated dialogue looks like: how many nodes (the initialization node included)
// and the seed that fixes everything else.
struct GeneratorOptions {
    std::int32_t nodes = 1000;
    std::uint64_t seed = 1;
};

// A dialogue of varied nesting and fan-out whose nodes carry rich texts with styles and
// accented characters, commands of every kind, responses with conditions and cut-responses
// of earlier tags, all of which compile clean and name existing nodes. The same options
// give the same dialogue on every machine. Time and memory grow linearly with the nodes.
std::unique_ptr<Dialogue> GenerateDialogue(const GeneratorOptions& options);

}  // namespace tw
