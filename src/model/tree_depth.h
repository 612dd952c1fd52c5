#pragma once

// How deep a node tree goes, measured with a stack of its own so that a tree of any depth
// is safe to measure.

#include <cstddef>

namespace tw {

class Dialogue;
class DialogueNode;

// The levels of the branch below node: 0 for a node without children, 1 when it has only
// children without children, and so on.
std::size_t LevelsBelow(const DialogueNode& node);

// How many levels lie above node: 0 for the initialization node, 1 for a node at the top of
// the tree under it.
std::size_t LevelsAbove(const DialogueNode& node);

// The depth of the dialogue's tree: the most levels any node lies below the initialization
// node (0 for a dialogue of that node alone).
std::size_t DialogueDepth(const Dialogue& dialogue);

}  // namespace tw
