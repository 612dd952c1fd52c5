#include "ui/document/tree_steps.h"

#include <utility>

#include "ui/document/editor_document.h"
#include "ui/document/list_steps.h"

namespace tw {

AddNodeStep::AddNodeStep(EditorDocument& document, std::int32_t parentId, std::string name,
                         std::string description)
    : DocumentStep(document, "Add New Node"),
      id_(document.GetDialogue().GetNextNodeId()),
      parentId_(parentId),
      name_(std::move(name)),
      description_(std::move(description)) {}

void AddNodeStep::redo() {
    DialogueNode* added = nullptr;
    if (removed_) {
        added = removed_->node.get();
        if (!Document().RestoreBranch(*removed_)) {
            added = nullptr;
        }
        removed_.reset();
    } else {
        added = Document().AddNode(id_, parentId_, name_, description_);
    }
    Document().SetNextNodeId(id_ + 1);
    ShowBranch(parentId_, &EditorDocument::ReportBranchAdded, added);
}

void AddNodeStep::undo() {
    removed_ = Document().DetachBranch(id_);
    Document().SetNextNodeId(id_);
    ShowBranch(parentId_, &EditorDocument::ReportBranchRemoved,
               removed_ ? removed_->node.get() : nullptr);
}

DeleteBranchStep::DeleteBranchStep(EditorDocument& document, std::int32_t id)
    : DocumentStep(document, "Delete Branch"), id_(id) {}

void DeleteBranchStep::redo() {
    removed_ = Document().DetachBranch(id_);
    ShowBranch(removed_ ? removed_->place.parentId : 0, &EditorDocument::ReportBranchRemoved,
               removed_ ? removed_->node.get() : nullptr);
}

void DeleteBranchStep::undo() {
    DialogueNode* restored = nullptr;
    if (removed_) {
        restored = removed_->node.get();
        if (!Document().RestoreBranch(*removed_)) {
            restored = nullptr;
        }
        removed_.reset();
    }
    ShowBranch(id_, &EditorDocument::ReportBranchAdded, restored);
}

MoveNodeStep::MoveNodeStep(EditorDocument& document, std::int32_t id, std::int32_t newParentId,
                           bool makeRoot)
    : DocumentStep(document, makeRoot ? "Make Root" : "Move Node"),
      id_(id),
      newParentId_(newParentId),
      makeRoot_(makeRoot),
      from_(document.GetDialogue().PlaceOf(id).value_or(NodePlace{})) {}

void MoveNodeStep::redo() {
    if (makeRoot_) {
        Document().MakeRoot(id_);
    } else {
        Document().MoveNode(id_, newParentId_);
    }
    ShowBranch(id_, &EditorDocument::ReportBranchMoved, Node(id_));
}

void MoveNodeStep::undo() {
    Document().PlaceNode(id_, from_);
    ShowBranch(id_, &EditorDocument::ReportBranchMoved, Node(id_));
}

SortStep::SortStep(EditorDocument& document, std::int32_t id, bool ascending,
                   std::int32_t selectedId)
    : DocumentStep(document, ascending ? "Sort Ascending" : "Sort Descending"),
      id_(id),
      ascending_(ascending),
      selectedId_(selectedId),
      before_(document.GetDialogue().CaptureSiblingOrders(id)) {}

void SortStep::redo() {
    Document().SortBranch(id_, ascending_);
    ShowBranch(selectedId_, &EditorDocument::ReportBranchSorted, Node(id_));
}

void SortStep::undo() {
    Document().RestoreSiblingOrders(before_);
    ShowBranch(selectedId_, &EditorDocument::ReportBranchSorted, Node(id_));
}

RenameNodeStep::RenameNodeStep(EditorDocument& document, std::int32_t id, std::string name,
                               std::string description, std::vector<RetargetedRow> links)
    : DocumentStep(document, "Rename Node"),
      id_(id),
      name_(std::move(name)),
      description_(std::move(description)),
      links_(std::move(links)) {}

// The step holds the other name and the other rows: each way they trade places with the
// document's.
void RenameNodeStep::Swap() {
    for (RetargetedRow& link : links_) {
        SwapLink(link);
    }
    if (DialogueNode* node = Node(id_)) {
        std::string name = node->GetName();
        std::string description = node->GetDescription();
        node->SetName(std::exchange(name_, std::move(name)));
        node->SetDescription(std::exchange(description_, std::move(description)));
    }
    Editor().ReportLabelChanged(id_);
    Editor().FocusNode(id_);
}

void RenameNodeStep::SwapLink(RetargetedRow& link) {
    DialogueNode* node = Node(link.nodeId);
    if (node == nullptr) {
        return;
    }
    if (link.item == ItemKind::Command && link.command) {
        link.command = CommandListAccess::Replace(*node, link.index, std::move(link.command));
    } else if (link.item == ItemKind::Response && link.response) {
        link.response = ResponseListAccess::Replace(*node, link.index, std::move(link.response));
    }
    Editor().ReportNodeChanged(link.nodeId);
}

void RenameNodeStep::redo() {
    Swap();
}

void RenameNodeStep::undo() {
    Swap();
}

ClearNodeStep::ClearNodeStep(EditorDocument& document, std::int32_t id)
    : DocumentStep(document, "Clear Node"), id_(id) {}

void ClearNodeStep::redo() {
    if (DialogueNode* node = Node(id_)) {
        contents_ = node->TakeContents();
    }
    ShowNode(id_);
}

void ClearNodeStep::undo() {
    if (DialogueNode* node = Node(id_)) {
        node->RestoreContents(std::exchange(contents_, {}));
    }
    ShowNode(id_);
}

}  // namespace tw
