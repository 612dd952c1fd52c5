#include "ui/main_window/undo/tree_steps.h"

#include <utility>

namespace tw {

AddNodeStep::AddNodeStep(Dialogue& document, const ViewUpdate& update, std::int32_t parentId,
                         std::string name, std::string description)
    : DocumentStep(document, update, "Add New Node"),
      id_(document.GetNextNodeId()),
      parentId_(parentId),
      name_(std::move(name)),
      description_(std::move(description)) {}

void AddNodeStep::redo() {
    if (removed_) {
        Document().RestoreBranch(*removed_);
        removed_.reset();
    } else {
        Document().AddNode(id_, parentId_, name_, description_);
    }
    Document().SetNextNodeId(id_ + 1);
    Show(parentId_, ViewScope::kTree);
}

void AddNodeStep::undo() {
    removed_ = Document().DetachBranch(id_);
    Document().SetNextNodeId(id_);
    Show(parentId_, ViewScope::kTree);
}

DeleteBranchStep::DeleteBranchStep(Dialogue& document, const ViewUpdate& update, std::int32_t id)
    : DocumentStep(document, update, "Delete Branch"), id_(id) {}

void DeleteBranchStep::redo() {
    removed_ = Document().DetachBranch(id_);
    Show(removed_ ? removed_->place.parentId : 0, ViewScope::kTree);
}

void DeleteBranchStep::undo() {
    if (removed_) {
        Document().RestoreBranch(*removed_);
        removed_.reset();
    }
    Show(id_, ViewScope::kTree);
}

MoveNodeStep::MoveNodeStep(Dialogue& document, const ViewUpdate& update, std::int32_t id,
                           std::int32_t newParentId, bool makeRoot)
    : DocumentStep(document, update, makeRoot ? "Make Root" : "Move Node"),
      id_(id),
      newParentId_(newParentId),
      makeRoot_(makeRoot),
      from_(document.PlaceOf(id).value_or(NodePlace{})) {}

void MoveNodeStep::redo() {
    if (makeRoot_) {
        Document().MakeRoot(id_);
    } else {
        Document().MoveNode(id_, newParentId_);
    }
    Show(id_, ViewScope::kTree);
}

void MoveNodeStep::undo() {
    Document().PlaceNode(id_, from_);
    Show(id_, ViewScope::kTree);
}

SortStep::SortStep(Dialogue& document, const ViewUpdate& update, std::int32_t id, bool ascending,
                   std::int32_t selectedId)
    : DocumentStep(document, update, ascending ? "Sort Ascending" : "Sort Descending"),
      id_(id),
      ascending_(ascending),
      selectedId_(selectedId),
      before_(document.CaptureSiblingOrders(id)) {}

void SortStep::redo() {
    Document().SortBranch(id_, ascending_);
    Show(selectedId_, ViewScope::kTree);
}

void SortStep::undo() {
    Document().RestoreSiblingOrders(before_);
    Show(selectedId_, ViewScope::kTree);
}

RenameNodeStep::RenameNodeStep(Dialogue& document, const ViewUpdate& update, std::int32_t id,
                               std::string name, std::string description)
    : DocumentStep(document, update, "Rename Node"),
      id_(id),
      name_(std::move(name)),
      description_(std::move(description)) {}

// The step holds the other name: each way it trades places with the node's.
void RenameNodeStep::Swap() {
    if (DialogueNode* node = Node(id_)) {
        std::string name = node->GetName();
        std::string description = node->GetDescription();
        node->SetName(std::exchange(name_, std::move(name)));
        node->SetDescription(std::exchange(description_, std::move(description)));
    }
    Show(id_, ViewScope::kLabel);
}

void RenameNodeStep::redo() {
    Swap();
}

void RenameNodeStep::undo() {
    Swap();
}

ClearNodeStep::ClearNodeStep(Dialogue& document, const ViewUpdate& update, std::int32_t id)
    : DocumentStep(document, update, "Clear Node"), id_(id) {}

void ClearNodeStep::redo() {
    if (DialogueNode* node = Node(id_)) {
        contents_ = node->TakeContents();
    }
    Show(id_, ViewScope::kNode);
}

void ClearNodeStep::undo() {
    if (DialogueNode* node = Node(id_)) {
        node->RestoreContents(std::exchange(contents_, {}));
    }
    Show(id_, ViewScope::kNode);
}

}  // namespace tw
