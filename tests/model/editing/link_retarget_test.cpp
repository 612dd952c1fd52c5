#include "model/editing/link_retarget.h"

#include <gtest/gtest.h>

#include "model/command_kinds.h"
#include "model/dialogue.h"

namespace tw {
namespace {

// Typed statements are cases in cases/dialog_rules.txt.

TEST(RetargetLinksTest, RebuildsEveryKindOfLinkKeepingConditions) {
    Dialogue dialogue;
    DialogueNode& node = dialogue.AppendNode(dialogue.Root(), 1, "Greet");
    dialogue.AppendNode(dialogue.Root(), 2, "Shop");
    node.AppendCommand(std::make_unique<CommandFlag>(true, "Shop"));
    node.AppendCommand(std::make_unique<CommandGoto>("shop"));
    node.Commands()[1]->SetCondition(std::make_unique<Conditional>("kOpen"));
    node.AppendCommand(std::make_unique<CommandYesNo>(CommandYesNo::Strings{"Buy", "Go"},
                                                      CommandYesNo::Strings{"Shop", "Bye"}));
    CommandList::Strings choices{"Wares", ""};
    CommandList::Strings nodes{"Shop", "Shop"};
    CommandList::Conditions conditions{Conditional("kOpen")};
    node.AppendCommand(std::make_unique<CommandList>(choices, nodes, conditions, "Back", "Shop"));
    auto add = std::make_unique<NodeResponseAdd>("A01");
    add->SetPlayerText("Show me");
    add->SetGotoNode("Shop");
    add->SetCondition(std::make_unique<Conditional>("$gold > 1"));
    node.AppendResponse(std::move(add));
    node.AppendResponse(std::make_unique<NodeResponseCut>("A01"));

    const std::vector<RetargetedRow> rows = RetargetLinks(dialogue, "Shop", "Market");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].index, 1u);
    EXPECT_EQ(rows[0].command->GetScriptText(), "if (kOpen) then goto Market");
    EXPECT_EQ(rows[1].command->GetText(), "branch \"Buy\"->Market, \"Go\"->Bye");
    const auto& list = static_cast<const CommandList&>(*rows[2].command);
    EXPECT_EQ(list.GetNode(0), "Market");
    EXPECT_EQ(list.GetNode(1), "Shop");  // no choice: the entry leads nowhere
    EXPECT_EQ(list.GetReturnNode(), "Market");
    EXPECT_EQ(list.GetCondition(0).GetExpression(), "kOpen");
    EXPECT_EQ(rows[3].item, ItemKind::Response);
    EXPECT_EQ(rows[3].nodeId, 1);
    const auto& response = static_cast<const NodeResponseAdd&>(*rows[3].response);
    EXPECT_EQ(response.GetTag(), "A01");
    EXPECT_EQ(response.GetPlayerText(), "Show me");
    EXPECT_EQ(response.GetGotoNode(), "Market");
    EXPECT_EQ(response.GetCondition()->GetExpression(), "$gold > 1");
}

}  // namespace
}  // namespace tw
