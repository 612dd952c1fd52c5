#pragma once

// An environment kept as what differs from a base environment: the explorer holds one for
// every state it has yet to explore, most of which differ from the start in a few names.

#include <optional>
#include <string>
#include <vector>

#include "script/environment.h"

namespace tw {

struct EnvironmentDifference {
    std::string name;
    std::optional<Value> value;  // none: the name is absent, though the base has it
};

// In the environment's name order, each name once.
using EnvironmentDelta = std::vector<EnvironmentDifference>;

// What environment holds that base does not, or holds otherwise.
EnvironmentDelta DeltaFrom(const Environment& base, const Environment& environment);

// Turns environment, which is base with from applied, into base with to applied, touching
// only the names either names.
void MoveEnvironment(Environment& environment, const Environment& base,
                     const EnvironmentDelta& from, const EnvironmentDelta& to);

}  // namespace tw
