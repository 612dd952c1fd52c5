#include "ui/document/editor_document.h"

#include <utility>

#include "model/editing/tree_edit_rules.h"
#include "ui/document/list_steps.h"
#include "ui/document/replace_dialogue_step.h"
#include "ui/document/text_steps.h"
#include "ui/document/tree_steps.h"

namespace tw {

EditorDocument::EditorDocument(std::unique_ptr<Dialogue> dialogue, QObject* parent)
    : QObject(parent), dialogue_(dialogue ? std::move(dialogue) : std::make_unique<Dialogue>()) {
    // A document changed before it had a history has no clean point to come back to.
    if (dialogue_->IsModified()) {
        undo_.resetClean();
    }
    connect(&undo_, &QUndoStack::indexChanged, this, [this] { FollowCleanState(); });
    connect(&undo_, &QUndoStack::cleanChanged, this, [this] { FollowCleanState(); });
    fileWatch_.RecordFile();
}

// The stack is cleared as it goes and reports on the way; nobody is listening any more.
EditorDocument::~EditorDocument() {
    undo_.disconnect(this);
}

// Every step, undo and redo sets the mark from the stack, never from what it was.
void EditorDocument::FollowCleanState() {
    if (holdCleanState_) {
        return;
    }
    const bool modified = !undo_.isClean();
    if (modified != dialogue_->IsModified()) {
        dialogue_->SetModified(modified);
        emit modifiedChanged(modified);
    }
}

void EditorDocument::MarkSaved() {
    if (!dialogue_->IsModified() && !undo_.isClean()) {
        undo_.setClean();
    }
    emit modifiedChanged(dialogue_->IsModified());
}

// The step and the new clean point land together: the document never looks modified between
// them.
void EditorDocument::Reload(const Dialogue& fromFile) {
    holdCleanState_ = true;
    Push(new ReplaceDialogueStep(*this, "Reload", dialogue_->Write(), fromFile.Write()));
    undo_.setClean();
    holdCleanState_ = false;
    FollowCleanState();
    fileWatch_.RecordFile();
}

void EditorDocument::SetCurrentNode(std::int32_t id) {
    if (!walkingHistory_) {
        history_.Visit(id);
    }
    if (id == dialogue_->GetSelectedNodeId()) {
        return;
    }
    dialogue_->SetSelectedNodeId(id);
    emit currentNodeChanged(id);
}

void EditorDocument::FocusNode(std::int32_t id) {
    if (!walkingHistory_) {
        history_.Visit(id);
    }
    dialogue_->SetSelectedNodeId(id);
    emit currentNodeChanged(id);
}

bool EditorDocument::GoBack() {
    const std::optional<std::int32_t> id = history_.Back();
    if (id) {
        walkingHistory_ = true;
        SetCurrentNode(*id);
        walkingHistory_ = false;
    }
    return id.has_value();
}

bool EditorDocument::GoForward() {
    const std::optional<std::int32_t> id = history_.Forward();
    if (id) {
        walkingHistory_ = true;
        SetCurrentNode(*id);
        walkingHistory_ = false;
    }
    return id.has_value();
}

void EditorDocument::Push(QUndoCommand* step) {
    undo_.push(step);
}

void EditorDocument::AddNode(std::int32_t parentId, std::string name, std::string description) {
    if (CanAddChild(*dialogue_, parentId)) {
        Push(new AddNodeStep(*this, parentId, std::move(name), std::move(description)));
    }
}

void EditorDocument::DeleteBranch(std::int32_t id) {
    Push(new DeleteBranchStep(*this, id));
}

void EditorDocument::ClearNode(std::int32_t id) {
    Push(new ClearNodeStep(*this, id));
}

void EditorDocument::RenameNode(std::int32_t id, std::string name, std::string description,
                                std::vector<RetargetedRow> links) {
    Push(new RenameNodeStep(*this, id, std::move(name), std::move(description), std::move(links)));
}

bool EditorDocument::MoveNode(std::int32_t id, std::int32_t parentId) {
    if (!CanDropNode(*dialogue_, id, parentId)) {
        return false;
    }
    Push(new MoveNodeStep(*this, id, parentId, false));
    return true;
}

void EditorDocument::MakeRoot(std::int32_t id) {
    if (CanMakeRoot(*dialogue_, id)) {
        Push(new MoveNodeStep(*this, id, kInitializationNodeId, true));
    }
}

// Sorting a node without children changes nothing and is no step. The whole tree keeps the
// selection; a branch selects its node.
void EditorDocument::SortBranch(std::int32_t id, bool ascending) {
    const DialogueNode* node = dialogue_->FindNodeById(id);
    if (node == nullptr || node->Children().empty()) {
        return;
    }
    const std::int32_t selected = id == kInitializationNodeId ? CurrentNodeId() : id;
    Push(new SortStep(*this, id, ascending, selected));
}

void EditorDocument::TypeNodeText(std::int32_t id, NodeTextValue value) {
    const DialogueNode* node = dialogue_->FindNodeById(id);
    if (node == nullptr || (node->IsTextRich() == value.rich && node->GetText() == value.text)) {
        return;
    }
    NodeTextValue before{node->GetText(), node->IsTextRich()};
    Push(new NodeTextStep(*this, id, std::move(before), std::move(value)));
}

void EditorDocument::TypeComments(std::int32_t id, std::string comments) {
    const DialogueNode* node = dialogue_->FindNodeById(id);
    if (node == nullptr || node->GetComments() == comments) {
        return;
    }
    Push(new NodeCommentsStep(*this, id, node->GetComments(), std::move(comments)));
}

void EditorDocument::AppendCommands(std::int32_t id, Commands commands, const QString& stepName) {
    if (!commands.empty()) {
        Push(new AppendCommandsStep(*this, stepName, id, std::move(commands)));
    }
}

void EditorDocument::RemoveCommands(std::int32_t id, std::vector<std::size_t> indices,
                                    const QString& stepName) {
    const DialogueNode* node = dialogue_->FindNodeById(id);
    if (node != nullptr && !indices.empty() && indices.back() < node->Commands().size()) {
        Push(new RemoveCommandsStep(*this, stepName, id, std::move(indices)));
    }
}

void EditorDocument::MoveCommand(std::int32_t id, std::size_t from, std::size_t to) {
    const DialogueNode* node = dialogue_->FindNodeById(id);
    const std::size_t count = node ? node->Commands().size() : 0;
    if (from != to && from < count && to < count) {
        Push(new MoveCommandStep(*this, "Move Command", id, from, to));
    }
}

void EditorDocument::ReplaceCommand(std::int32_t id, std::size_t at,
                                    std::unique_ptr<NodeCommand> command, const QString& stepName) {
    const DialogueNode* node = dialogue_->FindNodeById(id);
    if (node != nullptr && command != nullptr && at < node->Commands().size()) {
        Push(new ReplaceCommandStep(*this, stepName, id, at, std::move(command)));
    }
}

void EditorDocument::AppendResponses(std::int32_t id, Responses responses,
                                     const QString& stepName) {
    if (!responses.empty()) {
        Push(new AppendResponsesStep(*this, stepName, id, std::move(responses)));
    }
}

void EditorDocument::RemoveResponses(std::int32_t id, std::vector<std::size_t> indices,
                                     const QString& stepName) {
    const DialogueNode* node = dialogue_->FindNodeById(id);
    if (node != nullptr && !indices.empty() && indices.back() < node->Responses().size()) {
        Push(new RemoveResponsesStep(*this, stepName, id, std::move(indices)));
    }
}

void EditorDocument::MoveResponse(std::int32_t id, std::size_t from, std::size_t to) {
    const DialogueNode* node = dialogue_->FindNodeById(id);
    const std::size_t count = node ? node->Responses().size() : 0;
    if (from != to && from < count && to < count) {
        Push(new MoveResponseStep(*this, "Move Response", id, from, to));
    }
}

void EditorDocument::ReplaceResponse(std::int32_t id, std::size_t at,
                                     std::unique_ptr<NodeResponse> response,
                                     const QString& stepName) {
    const DialogueNode* node = dialogue_->FindNodeById(id);
    if (node != nullptr && response != nullptr && at < node->Responses().size()) {
        Push(new ReplaceResponseStep(*this, stepName, id, at, std::move(response)));
    }
}

void EditorDocument::SetNpcData(const NPCData& npc) {
    const NPCData& now = dialogue_->Npc();
    if (npc.id != now.id || npc.name != now.name || npc.gender != now.gender) {
        Push(new NpcDataStep(*this, now, npc));
    }
}

void EditorDocument::SetNpcComments(std::string comments) {
    if (comments != dialogue_->GetComments()) {
        Push(new NpcCommentsStep(*this, dialogue_->GetComments(), std::move(comments)));
    }
}

void EditorDocument::ReportBranchAdded(DialogueNode& branch) {
    ++generation_;
    emit branchAdded(branch);
    emit changed();
}

void EditorDocument::ReportBranchRemoved(DialogueNode& branch) {
    ++generation_;
    emit branchRemoved(branch);
    emit changed();
}

void EditorDocument::ReportBranchMoved(DialogueNode& branch) {
    ++generation_;
    emit branchMoved(branch);
    emit changed();
}

void EditorDocument::ReportBranchSorted(DialogueNode& branch) {
    ++generation_;
    emit branchSorted(branch);
    emit changed();
}

void EditorDocument::ReportTreeChanged() {
    ++generation_;
    emit treeChanged();
    emit changed();
}

// The check derives a changed node's facts again; nodes added, removed or moved it finds by
// itself.
void EditorDocument::ReportNodeChanged(std::int32_t id) {
    ++generation_;
    if (const DialogueNode* node = dialogue_->FindNodeById(id)) {
        checkCache_.MarkChanged(*node);
    }
    emit nodeChanged(id);
    emit changed();
}

void EditorDocument::ReportLabelChanged(std::int32_t id) {
    ++generation_;
    if (const DialogueNode* node = dialogue_->FindNodeById(id)) {
        checkCache_.MarkChanged(*node);
    }
    emit labelChanged(id);
    emit changed();
}

void EditorDocument::ReportNpcChanged() {
    ++generation_;
    emit npcChanged();
    emit changed();
}

// The root node is the same object with other contents, which the check would not notice.
void EditorDocument::ReportDialogueReplaced() {
    ++generation_;
    checkCache_.Clear();
    emit npcChanged();
    emit treeChanged();
    emit changed();
}

// A long step that another one's pause let in runs inside the first: the views hear of the
// outer one alone.
void EditorDocument::BeginLongStep(const QString& label) {
    ++generation_;
    if (longSteps_++ == 0) {
        emit longStepBegun(label);
    }
}

void EditorDocument::PaceLongStep(std::size_t done, std::size_t total) {
    emit longStepPaced(static_cast<int>(done), static_cast<int>(total));
}

void EditorDocument::EndLongStep() {
    if (--longSteps_ == 0) {
        emit longStepEnded();
    }
}

}  // namespace tw
