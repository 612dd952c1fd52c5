#include "ui/views/node_rows.h"

#include <gtest/gtest.h>

#include "model/command_kinds.h"
#include "model/node_response.h"

namespace tw {
namespace {

TEST(NodeRowsTest, CommandRowsShowKindImageNameAndText) {
    struct Case {
        std::unique_ptr<NodeCommand> command;
        ListRow row;
    };
    std::vector<Case> cases;
    cases.push_back({std::make_unique<CommandManual>("$a = 1"), {0, {"MANUAL", "$a = 1", ""}}});
    cases.push_back(
        {std::make_unique<CommandFlag>(false, "kMet"), {1, {"F_CLEAR", "set kMet = FALSE", ""}}});
    cases.push_back(
        {std::make_unique<CommandVariable>("gold", "5"), {3, {"ASSIGN", "$gold = 5", ""}}});
    cases.push_back({std::make_unique<CommandEnd>(), {5, {"END", "END CONVERSATION", ""}}});
    cases.push_back({std::make_unique<CommandGoto>("Inn"), {6, {"GOTO", "goto Inn", ""}}});
    cases.push_back({std::make_unique<CommandReply>("$name"), {7, {"REPLY", "reply $name", ""}}});
    for (std::int32_t type : {kCommandConditionalVariable, kCommandYesNo, kCommandList}) {
        std::unique_ptr<NodeCommand> command = MakeEmptyCommand(type);
        command->SetCondition(std::make_unique<Conditional>("kReady"));
        ListRow row{type == kCommandList ? 4 : type, {command->GetTypeName(), "", "kReady"}};
        cases.push_back({std::move(command), row});
    }
    cases.back().row.cells[0] = "BRANCH";
    for (const Case& c : cases) {
        EXPECT_EQ(CommandRow(*c.command), c.row) << c.row.cells[0];
    }
}

TEST(NodeRowsTest, ResponseRowsForBothKinds) {
    NodeResponseAdd add("A01");
    add.SetPlayerText("A room, please.");
    add.SetGotoNode("Room");
    EXPECT_EQ(ResponseRow(add), (ListRow{1, {"A01", "ADD", "A room, please.", "Room", ""}}));
    add.SetCondition(std::make_unique<Conditional>("$gold >= 5"));
    EXPECT_EQ(ResponseRow(add).cells[4], "$gold >= 5");

    NodeResponseCut cut("X");
    cut.SetCutTag("A01");
    cut.SetCutText("A room, please.");
    cut.SetCondition(std::make_unique<Conditional>("kRoomRented"));
    EXPECT_EQ(ResponseRow(cut), (ListRow{5, {"#A01", "CUT", "A room, please.", "", ""}}));
}

}  // namespace
}  // namespace tw
