#pragma once

// Whether an edit of the node tree is allowed: the rules behind the tree's drag and drop
// and the node menu, so that the views only ask.

#include <cstdint>

namespace tw {

class Dialogue;

// A node other than the initialization node: one that can be renamed, cleared, deleted,
// dragged or tested from.
bool IsMovableNode(const Dialogue& dialogue, std::int32_t id);
// Dropping the node on another makes it that one's last child. Refused for the
// initialization node either way, for a drop into the node's own branch, and where it would
// change nothing (the node already is the target's last child).
bool CanDropNode(const Dialogue& dialogue, std::int32_t id, std::int32_t targetId);
// Make Root moves a node to the top of the tree; one already there stays.
bool CanMakeRoot(const Dialogue& dialogue, std::int32_t id);

}  // namespace tw
