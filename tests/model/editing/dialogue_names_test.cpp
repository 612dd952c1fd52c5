#include "model/editing/dialogue_names.h"

#include <gtest/gtest.h>

#include "model/command_kinds.h"
#include "model/dialogue.h"

namespace tw {
namespace {

using Names = std::vector<std::string>;

// Nodes are every node but the root; variables and flags come from commands and conditions.
TEST(DialogueNamesTest, NodesVariablesAndFlags) {
    Dialogue dialogue;
    DialogueNode& greet = dialogue.AppendNode(dialogue.Root(), 1, "Greeting");
    dialogue.AppendNode(greet, 2, "Trade");
    dialogue.AppendNode(dialogue.Root(), 3, "Farewell");
    greet.AppendCommand(std::make_unique<CommandFlag>(true, "kMetOrvane"));
    greet.AppendCommand(std::make_unique<CommandVariable>("gold", "$gold + $bonus"));
    greet.AppendCommand(std::make_unique<CommandReply>("$answer"));
    greet.AppendCommand(std::make_unique<CommandGoto>("Farewell"));
    greet.AppendCommand(std::make_unique<CommandManual>("goto Trade"));
    greet.AppendCommand(std::make_unique<CommandManual>("set KMETORVANE = kAngry or kSad"));
    greet.AppendCommand(std::make_unique<CommandManual>("$broken = 'unterminated"));
    greet.AppendCommand(std::make_unique<CommandYesNo>(CommandYesNo::Strings{"y", "n"},
                                                       CommandYesNo::Strings{"Yes", "No"}));
    greet.Commands()[3]->SetCondition(std::make_unique<Conditional>("kPaid and $mood > 2"));
    auto response = std::make_unique<NodeResponseAdd>("A01");
    response->SetCondition(std::make_unique<Conditional>("kTrusted"));
    dialogue.Root().AppendResponse(std::move(response));

    const DialogueNames names = CollectDialogueNames(dialogue);
    EXPECT_EQ(NodeNamesOf(dialogue), (Names{"Greeting", "Trade", "Farewell"}));
    EXPECT_EQ(names.nodes, NodeNamesOf(dialogue));
    EXPECT_EQ(names.variables, (Names{"$answer", "$bonus", "$broken", "$gold", "$mood"}));
    EXPECT_EQ(names.flags, (Names{"kAngry", "kMetOrvane", "kPaid", "kSad", "kTrusted"}));
}

}  // namespace
}  // namespace tw
