#pragma once

// A change to one branch of the document shown in the tree, made in the tree's items
// alone, as FillTree would have made them: the cost follows the branch, not the tree.
// Each answers false, having changed nothing, when the items do not match the document
// (no item for a node that must have one); the caller then fills the tree again.

#include <functional>

namespace tw {

class Dialogue;
class DialogueNode;
class EnhancedTreeCtrl;

// The branch is in the document now: its items are made at its place, expanded as its
// nodes' kept state says.
bool AddBranchItems(EnhancedTreeCtrl& tree, Dialogue& dialogue, const DialogueNode& branch);
// The branch left the document: its items go, their expanded state kept in its nodes for
// when it comes back.
bool RemoveBranchItems(EnhancedTreeCtrl& tree, DialogueNode& branch);
// The branch is at another place: its items move there, expanded as they were.
bool MoveBranchItems(EnhancedTreeCtrl& tree, Dialogue& dialogue, const DialogueNode& branch);
// The children in the branch are in another order: the items follow, none made again,
// one parent's children at a time. Between parents goOn(done, total) may let the loop turn,
// and so it may every few hundred nodes of the walk that finds them (as goOn(0, 0));
// when it answers false, or an item is missing, the sort stops with the items of the
// parents done so far in order, and false comes back (then some items may have moved).
bool SortBranchItems(EnhancedTreeCtrl& tree, const DialogueNode& branch,
                     const std::function<bool(int done, int total)>& goOn = {});

}  // namespace tw
