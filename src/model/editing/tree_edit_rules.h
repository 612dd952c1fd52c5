#pragma once

// Whether an edit of the node tree is allowed: the rules behind the tree's drag and drop
// and the node menu, so that the views only ask.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tw {

class Dialogue;

// The deepest tree the editor shows. Qt's tree view recurses once per level when it expands,
// collapses and deletes items (about 300 bytes of stack a level); 2,000 levels need some
// 600 KiB, a thirteenth of the usual 8 MiB stack. A hand-written dialogue is a few dozen
// levels deep. The command-line tool has no such limit.
inline constexpr std::size_t kMaxEditorTreeDepth = 2000;

// Why the editor does not open a dialogue depth levels deep (more than kMaxEditorTreeDepth).
std::string TooDeepToOpenMessage(std::size_t depth);
// Why a node cannot go where it would lie deeper than kMaxEditorTreeDepth.
std::string TooDeepToAddMessage();

// A node other than the initialization node: one that can be renamed, cleared, deleted,
// dragged or tested from.
bool IsMovableNode(const Dialogue& dialogue, std::int32_t id);
// Dropping the node on another makes it that one's last child. Refused for the
// initialization node either way, for a drop into the node's own branch, where it would
// change nothing (the node already is the target's last child), and where the branch would
// reach deeper than kMaxEditorTreeDepth.
bool CanDropNode(const Dialogue& dialogue, std::int32_t id, std::int32_t targetId);
// Make Root moves a node to the top of the tree; one already there stays. A branch moved up
// only rises, so the depth limit never refuses it.
bool CanMakeRoot(const Dialogue& dialogue, std::int32_t id);
// Add New Node puts a new node under the parent: refused for no such parent, and where the
// new node would lie deeper than kMaxEditorTreeDepth.
bool CanAddChild(const Dialogue& dialogue, std::int32_t parentId);

}  // namespace tw
