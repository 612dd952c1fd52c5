#pragma once

// The check's rules that look across nodes (links to missing nodes, tags, roads from the
// initialization node, names read but never set), run over each node's facts.

#include <vector>

#include "model/check/check_snapshot.h"
#include "model/check/dialogue_check.h"

namespace tw {

// The findings of the dialogue the snapshot was taken of, in CheckDialogue's order, its
// syntax findings included. Reads the snapshot alone, so it may run on any thread.
std::vector<Finding> CheckAcrossNodes(const CheckSnapshot& snapshot, const CheckOptions& options);

}  // namespace tw
