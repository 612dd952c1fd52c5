// The editor document without any window: each operation is one undo step, each step says
// what changed both ways, and the modified mark follows.

#include "ui/document/editor_document.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "model/command_kinds.h"
#include "model/editing/link_retarget.h"

namespace tw {
namespace {

// Root(0) -> Greeting(1) -> Shop(2); Farewell(3). Greeting has a goto to Shop.
std::unique_ptr<Dialogue> SmallDialogue() {
    auto dialogue = std::make_unique<Dialogue>();
    DialogueNode& greeting = dialogue->AppendNode(dialogue->Root(), 1, "Greeting");
    dialogue->AppendNode(greeting, 2, "Shop");
    dialogue->AppendNode(dialogue->Root(), 3, "Farewell");
    dialogue->SetNextNodeId(4);
    greeting.AppendCommand(std::make_unique<CommandGoto>("Shop"));
    return dialogue;
}

// Every signal of the document as a line, in order.
class Reports {
public:
    explicit Reports(EditorDocument& document) {
        const auto node = [this](const char* what) {
            return [this, what](const DialogueNode& n) { Add(what, n.GetId()); };
        };
        QObject::connect(&document, &EditorDocument::branchAdded, node("added"));
        QObject::connect(&document, &EditorDocument::branchRemoved, node("removed"));
        QObject::connect(&document, &EditorDocument::branchMoved, node("moved"));
        QObject::connect(&document, &EditorDocument::branchSorted, node("sorted"));
        QObject::connect(&document, &EditorDocument::treeChanged,
                         [this] { lines_.push_back("tree"); });
        QObject::connect(&document, &EditorDocument::nodeChanged,
                         [this](int id) { Add("node", id); });
        QObject::connect(&document, &EditorDocument::labelChanged,
                         [this](int id) { Add("label", id); });
        QObject::connect(&document, &EditorDocument::npcChanged,
                         [this] { lines_.push_back("npc"); });
        QObject::connect(&document, &EditorDocument::currentNodeChanged,
                         [this](int id) { Add("current", id); });
        QObject::connect(&document, &EditorDocument::modifiedChanged,
                         [this](bool on) { lines_.push_back(on ? "modified" : "clean"); });
    }
    // The lines since the last call.
    std::vector<std::string> Take() { return std::exchange(lines_, {}); }

private:
    void Add(const char* what, int id) {
        lines_.push_back(std::string(what) + " " + std::to_string(id));
    }
    std::vector<std::string> lines_;
};

using Lines = std::vector<std::string>;

TEST(EditorDocumentTest, TreeStepsReportTheirBranchBothWays) {
    EditorDocument document(SmallDialogue());
    Reports reports(document);
    document.AddNode(1, "Cellar", "dark");
    EXPECT_EQ(reports.Take(), (Lines{"added 4", "current 1", "modified"}));
    document.UndoStack().undo();
    EXPECT_EQ(reports.Take(), (Lines{"removed 4", "current 1", "clean"}));
    EXPECT_EQ(document.GetDialogue().FindNodeById(4), nullptr);
    EXPECT_EQ(document.GetDialogue().GetNextNodeId(), 4);

    document.DeleteBranch(1);
    EXPECT_EQ(reports.Take(), (Lines{"removed 1", "current 0", "modified"}));
    document.UndoStack().undo();
    EXPECT_EQ(reports.Take(), (Lines{"added 1", "current 1", "clean"}));

    EXPECT_FALSE(document.MoveNode(2, 2));  // into its own branch: no step
    EXPECT_TRUE(document.MoveNode(2, 3));
    EXPECT_EQ(document.GetDialogue().FindNodeById(2)->Parent()->GetId(), 3);
    document.MakeRoot(2);
    document.SortBranch(kInitializationNodeId, false);
    EXPECT_EQ(reports.Take(), (Lines{"moved 2", "current 2", "modified", "moved 2", "current 2",
                                     "sorted 0", "current 2"}));
    EXPECT_EQ(document.UndoStack().count(), 3);
    EXPECT_EQ(document.UndoStack().undoText(), "Sort Descending");
}

TEST(EditorDocumentTest, ARenameCarriesItsLinksInOneStep) {
    EditorDocument document(SmallDialogue());
    Reports reports(document);
    document.RenameNode(2, "Market", "", RetargetLinks(document.GetDialogue(), "Shop", "Market"));
    EXPECT_EQ(reports.Take(), (Lines{"node 1", "label 2", "current 2", "modified"}));
    const Dialogue& dialogue = document.GetDialogue();
    EXPECT_EQ(dialogue.FindNodeById(1)->Commands()[0]->GetText(), "goto Market");
    document.UndoStack().undo();
    EXPECT_EQ(dialogue.FindNodeById(1)->Commands()[0]->GetText(), "goto Shop");
    EXPECT_EQ(dialogue.FindNodeById(2)->GetName(), "Shop");
    EXPECT_EQ(document.UndoStack().count(), 1);
}

// Typing in one node is one step however many keys it took; the check derives only the
// nodes the edits touched.
TEST(EditorDocumentTest, TypingIsOneStepAndMarksTheNodeForTheCheck) {
    EditorDocument document(SmallDialogue());
    document.CheckCache().Check(document.GetDialogue());
    Reports reports(document);
    document.TypeComments(3, "b");
    document.TypeComments(3, "by");
    document.TypeComments(3, "bye");
    document.TypeComments(3, "bye");  // nothing new: no step
    document.TypeNodeText(3, NodeTextValue{"{\\rtf1 Bye.}", true});
    EXPECT_EQ(document.UndoStack().count(), 2);
    EXPECT_EQ(reports.Take(), (Lines{"node 3", "current 3", "modified", "node 3", "current 3",
                                     "node 3", "current 3", "node 3", "current 3"}));
    document.CheckCache().Check(document.GetDialogue());
    EXPECT_EQ(document.CheckCache().LastDerived(), 1u);
    document.UndoStack().undo();
    document.UndoStack().undo();
    EXPECT_EQ(document.GetDialogue().FindNodeById(3)->GetComments(), "");
    EXPECT_FALSE(document.IsModified());
}

TEST(EditorDocumentTest, ListStepsAndTheNpcReportWhatTheyChanged) {
    EditorDocument document(SmallDialogue());
    Reports reports(document);
    EditorDocument::Commands added;
    added.push_back(std::make_unique<CommandEnd>());
    document.AppendCommands(3, std::move(added), "Add Command");
    document.MoveCommand(3, 0, 0);                      // nowhere: no step
    document.RemoveCommands(3, {5}, "Delete Command");  // no such row: no step
    document.ReplaceCommand(1, 0, std::make_unique<CommandGoto>("Farewell"), "Edit Command");
    NPCData npc = document.GetDialogue().Npc();
    document.SetNpcData(npc);  // the same data: no step
    npc.name = "Orla";
    document.SetNpcData(npc);
    document.SetNpcComments("quiet");
    EXPECT_EQ(reports.Take(),
              (Lines{"node 3", "current 3", "modified", "node 1", "current 1", "npc", "npc"}));
    EXPECT_EQ(document.UndoStack().count(), 4);
    EXPECT_EQ(document.UndoStack().undoText(), "NPC Comments");
}

// The modified mark follows the history: saving is the clean point, undoing back to it
// clears the mark, and a document that came changed has no clean point to reach.
TEST(EditorDocumentTest, TheModifiedMarkFollowsTheCleanPoint) {
    EditorDocument document(SmallDialogue());
    QSignalSpy marks(&document, &EditorDocument::modifiedChanged);
    document.TypeComments(3, "x");
    document.GetDialogue().SetModified(false);  // as a save does
    document.MarkSaved();
    EXPECT_FALSE(document.IsModified());
    document.UndoStack().undo();
    EXPECT_TRUE(document.IsModified());
    document.UndoStack().redo();
    EXPECT_FALSE(document.IsModified());

    auto changed = SmallDialogue();
    changed->SetModified(true);
    EditorDocument upgraded(std::move(changed));
    upgraded.TypeComments(3, "x");
    upgraded.UndoStack().undo();
    EXPECT_TRUE(upgraded.IsModified());
}

// A reload replaces everything in one step and leaves the document matching its file; the
// check derives every node again, the root included, which keeps its object.
TEST(EditorDocumentTest, AReloadIsOneStepThatUndoTakesBack) {
    EditorDocument document(SmallDialogue());
    const std::string before = document.GetDialogue().Write();
    document.SetCurrentNode(3);
    document.CheckCache().Check(document.GetDialogue());
    Dialogue fromFile;
    fromFile.Npc().name = "Orla";
    fromFile.AppendNode(fromFile.Root(), 1, "Greeting");
    fromFile.Root().SetText("Reloaded");
    Reports reports(document);

    document.Reload(fromFile);
    EXPECT_EQ(document.GetDialogue().Write(), fromFile.Write());
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.UndoStack().undoText(), "Reload");
    EXPECT_EQ(reports.Take(), (Lines{"npc", "tree", "current 0"}));
    document.CheckCache().Check(document.GetDialogue());
    EXPECT_EQ(document.CheckCache().LastDerived(), 2u);

    document.SetCurrentNode(1);
    reports.Take();
    document.UndoStack().undo();
    EXPECT_EQ(document.GetDialogue().Write(), before);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(reports.Take(), (Lines{"npc", "tree", "current 1", "modified"}));
    document.UndoStack().redo();
    EXPECT_FALSE(document.IsModified());
}

}  // namespace
}  // namespace tw
