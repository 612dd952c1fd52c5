// The cached check against the full one: after random edits, each marked as the window marks
// it, the cache must give CheckDialogue's findings exactly, while deriving only the nodes an
// edit touched.

#include "model/check/dialogue_check_cache.h"

#include <gtest/gtest.h>

#include <random>

#include "generator/dialogue_generator.h"
#include "model/check/cross_node_rules.h"
#include "model/check/dialogue_check.h"
#include "model/tree_walk.h"
#include "support/dialogue_builder.h"

namespace tw::test {
namespace {

// Everything a finding holds, the node it points to included.
std::vector<std::string> Full(const std::vector<Finding>& findings) {
    std::vector<std::string> lines;
    for (const Finding& f : findings) {
        lines.push_back(f.rule + " | " + f.nodeLabel + " | " + std::string(ItemKindName(f.item)) +
                        " " + std::to_string(f.index) + " | " + f.message + " | " +
                        std::string(SeverityName(f.severity)) + " | id " +
                        std::to_string(f.nodeId) + " | node " +
                        std::to_string(reinterpret_cast<std::uintptr_t>(f.node)));
    }
    return lines;
}

// Random edits of a generated dialogue; content edits mark their node, tree edits do not
// (the cache has to see them by itself).
class CheckEditor {
public:
    explicit CheckEditor(std::uint32_t seed)
        : random_(seed), dialogue_(GenerateDialogue({120, seed})) {}

    Dialogue& Document() { return *dialogue_; }
    DialogueCheckCache& Cache() { return cache_; }

    std::string Step() {
        switch (Pick(12)) {
            case 0:
                return Edit("rename", [this](DialogueNode& n) { n.SetName(AnyName()); });
            case 1:
                return Edit("goto", [this](DialogueNode& n) { AddGoto(n, AnyName()); });
            case 2:
                return Edit("script", [this](DialogueNode& n) { AddScript(n, AnyScript()); });
            case 3:
                return Edit("remove row", [this](DialogueNode& n) { RemoveRow(n); });
            case 4:
                return Edit("add tag", [this](DialogueNode& n) { AddTag(n); });
            case 5:
                return Edit("cut tag", [this](DialogueNode& n) { CutResponse(n, AnyTag()); });
            case 6:
                return Edit("text", [this](DialogueNode& n) { n.SetText(AnyText()); });
            case 7:
                return AddNode();
            case 8:
                return RemoveBranch();
            case 9:
                return MoveOrSort();
            case 10:
                return ReplaceNodeKeepingItsId();
            default:
                return Edit("clear", [](DialogueNode& n) { n.Clear(); });
        }
    }

    std::size_t Pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }

private:
    template <typename Change>
    std::string Edit(const std::string& what, Change change) {
        DialogueNode& node = AnyNode();
        change(node);
        cache_.MarkChanged(node);
        return what;
    }

    std::vector<DialogueNode*> Nodes() {
        std::vector<DialogueNode*> nodes;
        ForEachPreOrder(dialogue_->Root(),
                        [&nodes](DialogueNode& node) { nodes.push_back(&node); });
        return nodes;
    }
    DialogueNode& AnyNode() {
        const auto nodes = Nodes();
        return *nodes[Pick(nodes.size())];
    }
    DialogueNode& AnyOtherNode() {
        const auto nodes = Nodes();
        return *nodes[1 + Pick(nodes.size() - 1)];
    }
    // An existing name most of the time, so links resolve, move and break.
    std::string AnyName() {
        return Pick(4) == 0 ? "Nowhere " + std::to_string(Pick(3)) : AnyNode().GetName();
    }
    std::string AnyTag() { return "T" + std::to_string(Pick(6)); }
    std::string AnyScript() {
        static const char* const scripts[] = {
            "$gold = $gold + 1",      "set kMet = true",
            "if kMet then $debt = 2", "$x =",
            "reply $answer",          "if $fee > 3 then goto Nowhere"};
        return scripts[Pick(std::size(scripts))];
    }
    std::string AnyText() { return Pick(2) == 0 ? "Hello $name and $gold" : "plain words"; }

    void RemoveRow(DialogueNode& node) {
        if (!node.Commands().empty() && Pick(2) == 0) {
            node.RemoveCommandAt(Pick(node.Commands().size()));
        } else if (!node.Responses().empty()) {
            node.RemoveResponseAt(Pick(node.Responses().size()));
        }
    }
    void AddTag(DialogueNode& node) {
        AddResponse(node, AnyTag(), Pick(2) == 0 ? "Bye" : "Farewell", AnyName());
    }
    std::string AddNode() {
        DialogueNode& node = dialogue_->AppendNode(AnyNode(), nextId_++, AnyName() + "'");
        AddGoto(node, AnyName());
        return "add node";
    }
    std::string RemoveBranch() {
        if (Nodes().size() > 20) {
            dialogue_->DeleteBranch(AnyOtherNode().GetId());
        }
        return "delete branch";
    }
    std::string MoveOrSort() {
        if (Pick(2) == 0) {
            dialogue_->MoveNode(AnyOtherNode().GetId(), AnyNode().GetId());
            return "move";
        }
        dialogue_->SortAll(Pick(2) == 0);
        return "sort";
    }
    // A node deleted and a new one made in its place with its id: the cache must not take
    // the new node for the old one.
    std::string ReplaceNodeKeepingItsId() {
        DialogueNode& old = AnyOtherNode();
        const std::int32_t id = old.GetId();
        DialogueNode& parent = *old.Parent();
        dialogue_->DeleteBranch(id);
        DialogueNode& fresh = dialogue_->AppendNode(parent, id, AnyName());
        AddScript(fresh, AnyScript());
        return "replace keeping the id";
    }

    std::mt19937 random_;
    std::unique_ptr<Dialogue> dialogue_;
    DialogueCheckCache cache_;
    std::int32_t nextId_ = 100000;
};

// The snapshot as the window takes it, a few nodes a turn.
CheckSnapshot SnapshotInSlices(CheckEditor& editor) {
    editor.Cache().BeginSnapshot(editor.Document());
    while (!editor.Cache().ContinueSnapshot(1 + editor.Pick(40))) {
    }
    return editor.Cache().TakeSnapshot();
}

// Each seed edits its own dialogue at random. A snapshot is also checked after the edits
// that follow it, as the editor's other thread checks it: it must still give what the whole
// check gave at its moment. Some walks are cut short by an edit, as the window drops a walk
// when the document changes under it, and begun again.
class CheckCacheRandomEdits : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(CheckCacheRandomEdits, GiveTheFullChecksFindings) {
    CheckEditor editor(GetParam());
    CheckSnapshot earlier;
    CheckOptions earlierOptions;
    std::vector<std::string> earlierFindings;
    for (int step = 0; step < 60; ++step) {
        if (editor.Pick(3) == 0) {
            editor.Cache().BeginSnapshot(editor.Document());
            editor.Cache().ContinueSnapshot(editor.Pick(100));
        }
        std::string done;
        for (std::size_t edits = 1 + editor.Pick(3); edits > 0; --edits) {
            done += editor.Step() + "; ";  // several edits may come between two checks
        }
        CheckOptions options;
        if (editor.Pick(4) == 0) {
            options.disabled.insert(std::string(CheckRules()[editor.Pick(CheckRules().size())]));
        }
        ASSERT_EQ(Full(CheckAcrossNodes(earlier, earlierOptions)), earlierFindings)
            << "the snapshot before " << done;
        const auto cached = Full(editor.Cache().Check(editor.Document(), options));
        earlierFindings = Full(CheckDialogue(editor.Document(), options));
        ASSERT_EQ(cached, earlierFindings) << "after " << done;
        earlier = editor.Pick(2) == 0 ? editor.Cache().Snapshot(editor.Document())
                                      : SnapshotInSlices(editor);
        earlierOptions = options;
    }
}
INSTANTIATE_TEST_SUITE_P(Seeds, CheckCacheRandomEdits, ::testing::Range(1u, 13u));

// A one-node edit derives that node alone; the findings still cover the whole dialogue.
TEST(DialogueCheckCacheTest, OnlyMarkedAndNewNodesAreDerivedAgain) {
    auto dialogue = GenerateDialogue({500, 3});
    DialogueCheckCache cache;
    const std::size_t all = cache.Check(*dialogue).size();
    EXPECT_EQ(cache.LastDerived(), 500u);
    cache.Check(*dialogue);
    EXPECT_EQ(cache.LastDerived(), 0u);

    DialogueNode& node = *dialogue->Root().Children().front();
    AddScript(node, "$x =");
    cache.MarkChanged(node);
    EXPECT_EQ(cache.Check(*dialogue).size(), all + 1);
    EXPECT_EQ(cache.LastDerived(), 1u);

    dialogue->AppendNode(node, 9000, "Fresh");
    cache.Check(*dialogue);
    EXPECT_EQ(cache.LastDerived(), 1u);
    dialogue->SortAll(false);
    cache.Check(*dialogue);
    EXPECT_EQ(cache.LastDerived(), 0u);
}

// A branch taken out and put back between checks, or after one, gives the same findings.
TEST(DialogueCheckCacheTest, BranchPutBackIsCheckedAsBefore) {
    auto dialogue = GenerateDialogue({200, 5});
    DialogueCheckCache cache;
    const auto before = Full(cache.Check(*dialogue));
    const std::int32_t id = dialogue->Root().Children().back()->GetId();
    std::optional<DetachedBranch> branch = dialogue->DetachBranch(id);
    ASSERT_TRUE(branch.has_value());
    EXPECT_EQ(Full(cache.Check(*dialogue)), Full(CheckDialogue(*dialogue)));
    ASSERT_TRUE(dialogue->RestoreBranch(*branch));
    EXPECT_EQ(Full(cache.Check(*dialogue)), before);
    EXPECT_GT(cache.LastDerived(), 0u);
}

// One cache checking one document after another: nothing of the first leaks into the
// second, even where the ids are the same.
TEST(DialogueCheckCacheTest, AnotherDocumentIsDerivedAfresh) {
    DialogueCheckCache cache;
    auto first = GenerateDialogue({100, 1});
    auto second = GenerateDialogue({100, 2});
    cache.Check(*first);
    EXPECT_EQ(Full(cache.Check(*second)), Full(CheckDialogue(*second)));
    EXPECT_EQ(cache.LastDerived(), 100u);
    first.reset();
    EXPECT_EQ(Full(cache.Check(*second)), Full(CheckDialogue(*second)));
    EXPECT_EQ(cache.LastDerived(), 0u);
}

}  // namespace
}  // namespace tw::test
