#pragma once

// The identity of a moment at which a run waits for the player: 128 bits drawn from what
// decides the run's future, so that a moment met again on another road is explored once.
//
// Part of it: the node, the offered responses (and the [ADD] each came from, which the
// coverage counts), the number of rows on offer, the goto target while one is pending, the
// branch targets while a branch is armed, the list flags with the list's exit node and
// put-aside responses while a list is active, the reply variable and command while a reply
// is awaited, the environment (names in any case) and whether the conversation has ended.
// Not part of it: the random numbers and the variables the tester draws afresh before every
// command ($rand, $PRnd, $H), and the shown texts of the rows; the random draws are sampled
// by seed, not enumerated.

#include <cstddef>
#include <cstdint>

#include "tester/explore/environment_delta.h"
#include "tester/run_state.h"

namespace tw {

struct StateFingerprint {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    friend bool operator==(const StateFingerprint&, const StateFingerprint&) = default;
};

struct StateFingerprintHash {
    std::size_t operator()(const StateFingerprint& f) const { return f.low; }
};

// The environment is given as its difference from a base that is the same for every state
// compared.
StateFingerprint FingerprintOf(const RunState& run, const EnvironmentDelta& environment,
                               bool ended);

// Whether a variable is one of the tester's random draws.
bool IsRandomDraw(std::string_view name);

}  // namespace tw
