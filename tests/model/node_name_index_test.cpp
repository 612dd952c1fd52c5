#include "model/node_name_index.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

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
}  // namespace tw
