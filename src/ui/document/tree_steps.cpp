#include "ui/document/tree_steps.h"

#include <iterator>
#include <utility>

#include "model/tree_walk.h"
#include "ui/document/editor_document.h"
#include "ui/document/list_steps.h"

namespace tw {
namespace {

// How many nodes a long step walks or moves between two chances to let the loop turn.
constexpr std::size_t kNodesPerPart = 256;

// The document's long step, from the scope's start to its end.
class LongStepScope {
public:
    LongStepScope(EditorDocument& document, const QString& label) : document_(document) {
        document_.BeginLongStep(label);
    }
    ~LongStepScope() { document_.EndLongStep(); }
    LongStepScope(const LongStepScope&) = delete;
    LongStepScope& operator=(const LongStepScope&) = delete;

private:
    EditorDocument& document_;
};

}  // namespace

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
      selectedId_(selectedId) {}

void SortStep::redo() {
    const LongStepScope scope(Editor(), "Sorting...");
    if (!SortInParts()) {
        SortAtOnce();
    }
    captured_ = true;
    ShowBranch(selectedId_, &EditorDocument::ReportBranchSorted, Node(id_));
}

// The lists are found by a walk, then sorted one at a time; false, with the lists done so
// far sorted, when the dialogue changed while the loop turned.
bool SortStep::SortInParts() {
    DialogueNode* top = Node(id_);
    if (top == nullptr) {
        return true;
    }
    const std::uint64_t generation = Editor().Generation();
    const auto goOn = [&](std::size_t done, std::size_t total) {
        Editor().PaceLongStep(done, total);
        return Editor().Generation() == generation;
    };
    std::vector<DialogueNode*> parents;
    std::size_t walked = 0;
    const auto* stopped = FindPreOrder(*top, [&](DialogueNode& node) {
        if (node.Children().size() >= 2) {
            parents.push_back(&node);
        }
        return ++walked % kNodesPerPart == 0 && !goOn(0, 0);
    });
    if (stopped != nullptr) {
        return false;
    }
    std::size_t sincePace = 0;
    for (std::size_t i = 0; i < parents.size(); ++i) {
        sincePace += parents[i]->Children().size();
        if (sincePace >= kNodesPerPart) {
            sincePace = 0;
            if (!goOn(i, parents.size())) {
                return false;
            }
        }
        if (!captured_) {
            before_.push_back(SiblingOrderOf(*parents[i]));
        }
        Document().SortChildrenOf(*parents[i], ascending_);
    }
    return true;
}

// The rest of a sort the dialogue changed under. The lists sorted already kept their orders
// from before the sort; those come after the ones taken now, so an undo puts them back last.
void SortStep::SortAtOnce() {
    if (!captured_) {
        SiblingOrders sortedFirst = std::exchange(before_, Document().CaptureSiblingOrders(id_));
        before_.insert(before_.end(), std::make_move_iterator(sortedFirst.begin()),
                       std::make_move_iterator(sortedFirst.end()));
    }
    Document().SortBranch(id_, ascending_);
}

// Each list is found by its node's id: whatever changed while the loop turned, a list whose
// members changed is left as it is.
void SortStep::undo() {
    const LongStepScope scope(Editor(), "Sorting...");
    std::size_t sincePace = 0;
    for (std::size_t i = 0; i < before_.size(); ++i) {
        sincePace += before_[i].second.size();
        if (sincePace >= kNodesPerPart) {
            Editor().PaceLongStep(i, before_.size());
            sincePace = 0;
        }
        Document().RestoreSiblingOrder(before_[i]);
    }
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
