#pragma once

// What an exploration of a dialogue starts from and how far it goes, and the hooks through
// which whoever runs it follows it and stops it.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/input_limits.h"
#include "tester/party_settings.h"

namespace tw {

struct ExploreOptions {
    // Loaded when the test starts, as the tester loads default.state.txt: a file that cannot
    // be read is reported in the result's stateMessages and the run goes on without it.
    // Empty: no state file.
    std::filesystem::path stateFile;
    std::uint64_t maxStateFileBytes = kMaxStateFileBytes;
    PartySettings party;
    // Each seed is one exploration with the random draws it gives; their findings are merged.
    std::vector<std::uint32_t> seeds{1};
    // Typed wherever a reply is awaited, in this order; a line break ends a reply. The empty
    // reply is the one the tester refuses.
    std::vector<std::string> replies{"", "hello"};
    // Distinct states kept per seed; a state found beyond it is not explored.
    std::size_t maxStates = 100000;
    // Questions in one step whose both answers are tried; later ones are answered yes.
    std::size_t maxQuestionsPerStep = 10;
};

struct ExploreProgress {
    std::size_t states = 0;  // states kept so far under the current seed
    std::size_t steps = 0;   // steps taken so far under the current seed
    std::size_t maxStates = 0;
    std::size_t seedIndex = 0;  // counted from 0
    std::size_t seedCount = 0;
};

struct ExploreControl {
    // Set from any thread to stop: the exploration ends at the next state and reports itself
    // cancelled, with what it found so far.
    const std::atomic<bool>* cancel = nullptr;
    // Called on the exploring thread about every kProgressInterval states.
    std::function<void(const ExploreProgress&)> progress;

    static constexpr std::size_t kProgressInterval = 256;
};

}  // namespace tw
