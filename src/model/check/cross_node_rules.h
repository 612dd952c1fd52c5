#pragma once

// The check's rules that look across nodes (links to missing nodes, tags, roads from the
// initialization node, names read but never set), run over each node's facts.

#include <vector>

#include "model/check/dialogue_check.h"

namespace tw {

class DialogueNode;
struct NodeCheckFacts;

// nodes are the dialogue's nodes in pre-order and facts[i] what nodes[i] alone gives; the
// findings come in CheckDialogue's order, its syntax findings included.
std::vector<Finding> CheckAcrossNodes(const std::vector<DialogueNode*>& nodes,
                                      const std::vector<const NodeCheckFacts*>& facts,
                                      const CheckOptions& options);

}  // namespace tw
