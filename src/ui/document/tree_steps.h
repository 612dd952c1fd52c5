#pragma once

// Undoable changes to the node tree: each holds only the nodes or the order it changed.

#include <optional>
#include <string>

#include "model/dialogue.h"
#include "model/editing/link_retarget.h"
#include "ui/document/document_step.h"

namespace tw {

// Add New Node: the new node under its parent, and the document's next id with it.
class AddNodeStep : public DocumentStep {
public:
    AddNodeStep(EditorDocument& document, std::int32_t parentId, std::string name,
                std::string description);
    void redo() override;
    void undo() override;

private:
    std::int32_t id_;
    std::int32_t parentId_;
    std::string name_;
    std::string description_;
    std::optional<DetachedBranch> removed_;  // while undone
};

// Delete Branch: the branch is kept, detached, while the step is done.
class DeleteBranchStep : public DocumentStep {
public:
    DeleteBranchStep(EditorDocument& document, std::int32_t id);
    void redo() override;
    void undo() override;

private:
    std::int32_t id_;
    std::optional<DetachedBranch> removed_;
};

// A drop in the tree or Make Root: the node moves, and goes back to the place it left.
class MoveNodeStep : public DocumentStep {
public:
    // newParentId 0 with makeRoot set: Make Root; else a move under that parent.
    MoveNodeStep(EditorDocument& document, std::int32_t id, std::int32_t newParentId,
                 bool makeRoot);
    void redo() override;
    void undo() override;

private:
    std::int32_t id_;
    std::int32_t newParentId_;
    bool makeRoot_;
    NodePlace from_;
};

// The Sort menu: the sibling orders of the branch before the sort are kept, each as the
// first run comes to its list. A large branch takes many frames' time: both ways the lists
// go a few at a time, the document's long step pacing them.
class SortStep : public DocumentStep {
public:
    SortStep(EditorDocument& document, std::int32_t id, bool ascending, std::int32_t selectedId);
    void redo() override;
    void undo() override;

private:
    bool SortInParts();
    void SortAtOnce();

    std::int32_t id_;
    bool ascending_;
    std::int32_t selectedId_;
    SiblingOrders before_;
    bool captured_ = false;
};

// Rename: the node's name and description, before and after.
// Rename, with the rows that led to the old name rebuilt to lead to the new one when the
// writer asked for that: one step either way.
class RenameNodeStep : public DocumentStep {
public:
    RenameNodeStep(EditorDocument& document, std::int32_t id, std::string name,
                   std::string description, std::vector<RetargetedRow> links = {});
    void redo() override;
    void undo() override;

private:
    void Swap();
    void SwapLink(RetargetedRow& link);

    std::int32_t id_;
    std::string name_;
    std::string description_;
    std::vector<RetargetedRow> links_;
};

// Clear Node: what the node held is kept while the step is done.
class ClearNodeStep : public DocumentStep {
public:
    ClearNodeStep(EditorDocument& document, std::int32_t id);
    void redo() override;
    void undo() override;

private:
    std::int32_t id_;
    NodeContents contents_;
};

}  // namespace tw
