#pragma once

// EditorDocument: one open dialogue in the editor. It owns the dialogue, its undo history
// and the services that live as long as the document (the check cache, the selection
// history), and says what changed after every edit, undo and redo. The views (tree, node
// editor, Problems, find, map) follow its signals; the undo steps call it both ways.

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/check/dialogue_check_cache.h"
#include "model/check/selection_history.h"
#include "model/dialogue.h"
#include "model/editing/link_retarget.h"
#include "ui/document/document_file_watch.h"

namespace tw {

// The current node when there is none (no item of the tree selected).
inline constexpr std::int32_t kNoNodeId = -1;

// The node text's content and form, as the box stores them.
struct NodeTextValue {
    std::string text;
    bool rich = false;
};

class EditorDocument : public QObject {
    Q_OBJECT

public:
    using Commands = std::vector<std::unique_ptr<NodeCommand>>;
    using Responses = std::vector<std::unique_ptr<NodeResponse>>;

    // A new, empty document when given none.
    explicit EditorDocument(std::unique_ptr<Dialogue> dialogue = nullptr,
                            QObject* parent = nullptr);
    ~EditorDocument() override;

    // Read freely; change only through the operations below, so that every change is a step
    // and every view hears of it.
    Dialogue& GetDialogue() { return *dialogue_; }
    const Dialogue& GetDialogue() const { return *dialogue_; }
    QUndoStack& UndoStack() { return undo_; }
    bool IsModified() const { return dialogue_->IsModified(); }
    const std::string& Path() const { return dialogue_->GetPath(); }
    // The file holds what the document holds now (after a save): the new clean point.
    void MarkSaved();
    // What other programs do to the document's file.
    DocumentFileWatch& FileWatch() { return fileWatch_; }
    // The file's version (fromFile, loaded from the document's path) replaces the whole
    // dialogue as one step that Undo takes back; the document then matches its file.
    void Reload(const Dialogue& fromFile);
    // The check of this document, keeping what it derived from the nodes no edit touched.
    DialogueCheckCache& CheckCache() { return checkCache_; }
    // Counts the changes: work begun on the dialogue as it was still holds when this has not
    // moved since.
    std::uint64_t Generation() const { return generation_; }

    // The node the views show, and the road of the writer's selections through it.
    std::int32_t CurrentNodeId() const { return dialogue_->GetSelectedNodeId(); }
    DialogueNode* CurrentNode() { return dialogue_->FindNodeById(CurrentNodeId()); }
    void SetCurrentNode(std::int32_t id);
    // A step's node: the views show it again, even when it already was the current one.
    void FocusNode(std::int32_t id);
    bool GoBack();
    bool GoForward();
    const SelectionHistory& History() const { return history_; }

    // The tree.
    void AddNode(std::int32_t parentId, std::string name, std::string description);
    void DeleteBranch(std::int32_t id);
    void ClearNode(std::int32_t id);
    // The rows that led to the old name, rebuilt for the new one, go along in the same step.
    void RenameNode(std::int32_t id, std::string name, std::string description,
                    std::vector<RetargetedRow> links = {});
    // A drop: false, and no step, where the tree's rules refuse it.
    bool MoveNode(std::int32_t id, std::int32_t parentId);
    void MakeRoot(std::int32_t id);
    // The children of the node's branch (the whole tree for the initialization node).
    void SortBranch(std::int32_t id, bool ascending);

    // A node's text and comments as they are typed: consecutive typing in one node is one
    // step.
    void TypeNodeText(std::int32_t id, NodeTextValue value);
    void TypeComments(std::int32_t id, std::string comments);

    // A node's lists. Indices in ascending order, each once.
    void AppendCommands(std::int32_t id, Commands commands, const QString& stepName);
    void RemoveCommands(std::int32_t id, std::vector<std::size_t> indices, const QString& stepName);
    void MoveCommand(std::int32_t id, std::size_t from, std::size_t to);
    void ReplaceCommand(std::int32_t id, std::size_t at, std::unique_ptr<NodeCommand> command,
                        const QString& stepName);
    void AppendResponses(std::int32_t id, Responses responses, const QString& stepName);
    void RemoveResponses(std::int32_t id, std::vector<std::size_t> indices,
                         const QString& stepName);
    void MoveResponse(std::int32_t id, std::size_t from, std::size_t to);
    void ReplaceResponse(std::int32_t id, std::size_t at, std::unique_ptr<NodeResponse> response,
                         const QString& stepName);

    // The NPC.
    void SetNpcData(const NPCData& npc);
    void SetNpcComments(std::string comments);

    // What the steps report, each way they run. Not for the views.
    void ReportBranchAdded(DialogueNode& branch);
    void ReportBranchRemoved(DialogueNode& branch);
    void ReportBranchMoved(DialogueNode& branch);
    void ReportBranchSorted(DialogueNode& branch);
    void ReportTreeChanged();
    void ReportNodeChanged(std::int32_t id);
    void ReportLabelChanged(std::int32_t id);
    void ReportNpcChanged();
    // Every node may be another one now, and the NPC too.
    void ReportDialogueReplaced();
    // A step that changes much of the dialogue does it in parts between these, pacing itself
    // between the parts (done of total; total 0 while not known): the views show progress
    // under the label and may let the loop turn, the writer's input held back. The generation
    // moves at the start, so that work begun on the dialogue as it was stops.
    void BeginLongStep(const QString& label);
    void PaceLongStep(std::size_t done, std::size_t total);
    void EndLongStep();

signals:
    // A branch is in the tree now, at its place.
    void branchAdded(const DialogueNode& branch);
    // A branch left the tree; it is detached but alive while the signal runs.
    void branchRemoved(DialogueNode& branch);
    void branchMoved(const DialogueNode& branch);
    // The children in the branch are in another order.
    void branchSorted(const DialogueNode& branch);
    // Anything of the tree may have changed: views show it afresh.
    void treeChanged();
    // One node's text, comments, commands or responses.
    void nodeChanged(std::int32_t id);
    // One node's name or description.
    void labelChanged(std::int32_t id);
    void npcChanged();
    void currentNodeChanged(std::int32_t id);
    void modifiedChanged(bool modified);
    // After every change of the dialogue, whatever it was.
    void changed();
    // A long step's start, progress and end.
    void longStepBegun(const QString& label);
    void longStepPaced(int done, int total);
    void longStepEnded();

private:
    void Push(QUndoCommand* step);
    void FollowCleanState();

    std::unique_ptr<Dialogue> dialogue_;
    DocumentFileWatch fileWatch_{*this};
    QUndoStack undo_;
    DialogueCheckCache checkCache_;
    SelectionHistory history_;
    bool walkingHistory_ = false;
    bool holdCleanState_ = false;
    std::uint64_t generation_ = 0;
    int longSteps_ = 0;  // long steps running, one inside another
};

}  // namespace tw
