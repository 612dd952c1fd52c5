// The node indexes against the walks they replace. After random sequences of every tree
// edit the id index must answer what a pre-order walk from the root answers, for every id
// ever used. Ids are shared now and then, the root is renumbered too, and both readers
// replace a document whose index was made before; branches held by the undo stack are
// renumbered while out of the tree and outlive the document they left.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>

#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "model/node_name_index.h"
#include "model/tree_walk.h"

namespace tw::test {
namespace {

// The first node in pre-order for each id, as the old look-up found it.
std::map<std::int32_t, const DialogueNode*> WalkAnswers(const Dialogue& dialogue) {
    std::map<std::int32_t, const DialogueNode*> first;
    ForEachPreOrder(dialogue.Root(),
                    [&first](const DialogueNode& node) { first.emplace(node.GetId(), &node); });
    return first;
}

void ExpectIndexMatchesWalk(Dialogue& dialogue, const std::set<std::int32_t>& ids,
                            const std::string& step) {
    const auto walk = WalkAnswers(dialogue);
    for (std::int32_t id : ids) {
        const auto found = walk.find(id);
        const DialogueNode* expected = found == walk.end() ? nullptr : found->second;
        ASSERT_EQ(dialogue.FindNodeById(id), expected) << "id " << id << " after " << step;
    }
}

// Drives one document through random edits, with the detached branches an undo stack
// would hold, some of them renumbered while out of the tree.
class RandomEditor {
public:
    explicit RandomEditor(std::uint32_t seed) : random_(seed) { ids_.insert(0); }

    Dialogue& Document() { return *dialogue_; }
    const std::set<std::int32_t>& Ids() const { return ids_; }

    std::string Step() {
        using Edit = void (RandomEditor::*)();
        static constexpr std::pair<const char*, Edit> kEdits[] = {
            {"AddNode", &RandomEditor::AddNode},
            {"AppendNode", &RandomEditor::AppendNode},
            {"MoveNode", &RandomEditor::Move},
            {"MakeRoot", &RandomEditor::MakeRoot},
            {"DeleteBranch", &RandomEditor::DeleteBranch},
            {"DetachBranch", &RandomEditor::Detach},
            {"RestoreBranch", &RandomEditor::Restore},
            {"PlaceNode", &RandomEditor::PlaceNode},
            {"SortBranch", &RandomEditor::Sort},
            {"SetId", &RandomEditor::Renumber},
            {"SetId on a detached branch", &RandomEditor::RenumberDetached},
            {"Read", &RandomEditor::ReadBack},
            {"DialogueFromJson", &RandomEditor::ReadJsonBack},
        };
        const auto& [name, edit] = kEdits[Pick(std::size(kEdits))];
        (this->*edit)();
        return name;
    }

private:
    std::size_t Pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }

    // Mostly a fresh id; now and then one already taken, so some ids are shared.
    std::int32_t NewId() {
        const std::int32_t id = Pick(5) == 0 ? AnyId() : nextId_++;
        ids_.insert(id);
        return id;
    }

    std::int32_t AnyId() {
        auto at = ids_.begin();
        std::advance(at, static_cast<std::ptrdiff_t>(Pick(ids_.size())));
        return *at;
    }

    DialogueNode& AnyNode() {
        std::vector<DialogueNode*> nodes;
        ForEachPreOrder(dialogue_->Root(),
                        [&nodes](DialogueNode& node) { nodes.push_back(&node); });
        return *nodes[Pick(nodes.size())];
    }

    void AddNode() { dialogue_->AddNode(NewId(), AnyId(), "added", {}); }
    void AppendNode() { dialogue_->AppendNode(AnyNode(), NewId(), "appended"); }
    void Move() { dialogue_->MoveNode(AnyId(), AnyId()); }
    void MakeRoot() { dialogue_->MakeRoot(AnyId()); }
    void DeleteBranch() {
        if (Pick(3) == 0) {  // deletions are rarer than additions, so the tree grows
            dialogue_->DeleteBranch(AnyId());
        }
    }
    void Detach() {
        if (auto branch = dialogue_->DetachBranch(AnyId())) {
            detached_.push_back(std::move(*branch));
        }
    }
    void Restore() {
        if (!detached_.empty()) {
            const std::size_t at = Pick(detached_.size());
            if (dialogue_->RestoreBranch(detached_[at])) {
                detached_.erase(detached_.begin() + static_cast<std::ptrdiff_t>(at));
            }
        }
    }
    void PlaceNode() {
        const DialogueNode& parent = AnyNode();
        dialogue_->PlaceNode(AnyId(), NodePlace{parent.GetId(), Pick(4)});
    }
    void Sort() {
        const std::int32_t id = AnyId();
        const SiblingOrders orders = dialogue_->CaptureSiblingOrders(id);
        dialogue_->SortBranch(id, Pick(2) == 0);
        if (Pick(2) == 0) {
            dialogue_->RestoreSiblingOrders(orders);
        }
    }
    void Renumber() { AnyNode().SetId(NewId()); }
    void RenumberDetached() {
        if (!detached_.empty()) {
            DialogueNode& top = *detached_[Pick(detached_.size())].node;
            ForEachPreOrder(top, [this](DialogueNode& node) { node.SetId(NewId()); });
        }
    }
    void ReadBack() {
        const std::optional<std::string> error = dialogue_->Read(dialogue_->Write());
        EXPECT_FALSE(error.has_value()) << *error;
    }
    void ReadJsonBack() {
        auto other = std::make_unique<Dialogue>();
        ASSERT_EQ(other->FindNodeById(0), &other->Root());  // an index made before the read
        const std::optional<std::string> error =
            DialogueFromJson(DialogueToJson(*dialogue_), *other);
        EXPECT_FALSE(error.has_value()) << *error;
        dialogue_ = std::move(other);  // the held branches outlive the document they left
    }

    std::mt19937 random_;
    std::unique_ptr<Dialogue> dialogue_ = std::make_unique<Dialogue>();
    std::set<std::int32_t> ids_;
    std::int32_t nextId_ = 1;
    std::vector<DetachedBranch> detached_;
};

TEST(NodeIdIndexTest, RandomEditsKeepTheIndexEqualToAWalk) {
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomEditor editor(seed);
        for (int step = 0; step < 400; ++step) {
            const std::string done = editor.Step();
            ExpectIndexMatchesWalk(editor.Document(), editor.Ids(), done);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
}

// The name index, case-blind in ASCII only, against the walk FindNodeByName makes, on
// Root
//   Gate          (1)
//     gate        (2)  same name as 1, deeper
//     Well        (3)
//   Market        (4)
//   WELL          (5)  same name as 3, later in pre-order
Dialogue& Sample(Dialogue& dialogue) {
    DialogueNode& gate = dialogue.AppendNode(dialogue.Root(), 1, "Gate");
    dialogue.AppendNode(gate, 2, "gate");
    dialogue.AppendNode(gate, 3, "Well");
    dialogue.AppendNode(dialogue.Root(), 4, "Market");
    dialogue.AppendNode(dialogue.Root(), 5, "WELL");
    return dialogue;
}

TEST(NodeNameIndex, FindsWhatTheWalkFromTheRootFinds) {
    Dialogue dialogue;
    const NodeNameIndex index(Sample(dialogue));
    for (const std::string name :
         {"Gate", "GATE", "gate", "well", "Well", "market", "initialization node",
          "Initialization Node", "Nowhere", "", "Gat", "Gates"}) {
        EXPECT_EQ(index.Find(name), dialogue.FindNodeByName(name)) << name;
    }
    ASSERT_NE(index.Find("gate"), nullptr);
    EXPECT_EQ(index.Find("gate")->GetId(), 1);
    EXPECT_EQ(index.Find("well")->GetId(), 3);
    EXPECT_EQ(index.Find("Nowhere"), nullptr);
    EXPECT_EQ(NodeNameIndex().Find("Initialization Node"), nullptr);
}

TEST(NodeNameIndex, NamesDifferingOnlyBeyondAsciiLettersStayApart) {
    Dialogue dialogue;
    dialogue.AppendNode(dialogue.Root(), 1, "Caf\xE9");
    dialogue.AppendNode(dialogue.Root(), 2, "Caf\xC9");
    dialogue.AppendNode(dialogue.Root(), 3, "Node_1");
    const NodeNameIndex index(dialogue);
    EXPECT_EQ(index.Find("caf\xE9")->GetId(), 1);
    EXPECT_EQ(index.Find("CAF\xC9")->GetId(), 2);
    EXPECT_EQ(index.Find("node_1")->GetId(), 3);
    EXPECT_EQ(index.Find("Node-1"), nullptr);
}

}  // namespace
}  // namespace tw::test
