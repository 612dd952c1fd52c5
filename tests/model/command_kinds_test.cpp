#include "model/command_kinds.h"

#include <gtest/gtest.h>

#include "model/clipboard_list.h"

namespace tw {
namespace {

struct CommandCase {
    const char* name;
    std::unique_ptr<NodeCommand> (*make)();
    std::int32_t type;
    const char* typeName;
    const char* text;
};

CommandList::Conditions NoConditions() {
    return {};
}

const CommandCase kCommandCases[] = {
    {"manual",
     []() -> std::unique_ptr<NodeCommand> { return std::make_unique<CommandManual>("x = 1"); },
     kCommandManual, "MANUAL", "x = 1"},
    {"flag_set",
     []() -> std::unique_ptr<NodeCommand> {
         return std::make_unique<CommandFlag>(true, "kMetOrvane");
     },
     kCommandFlag, "F_SET", "set kMetOrvane = TRUE"},
    {"flag_clear",
     []() -> std::unique_ptr<NodeCommand> {
         return std::make_unique<CommandFlag>(false, "kMetOrvane");
     },
     kCommandFlag, "F_CLEAR", "set kMetOrvane = FALSE"},
    {"cassign",
     []() -> std::unique_ptr<NodeCommand> {
         return std::make_unique<CommandConditionalVariable>("$mood", "x > 1", "1", "2");
     },
     kCommandConditionalVariable, "CASSIGN", "$mood = if (x > 1) then (1) else (2)"},
    {"cassign_adds_dollar",
     []() -> std::unique_ptr<NodeCommand> {
         return std::make_unique<CommandConditionalVariable>("mood", "a", "b", "c");
     },
     kCommandConditionalVariable, "CASSIGN", "$mood = if (a) then (b) else (c)"},
    {"assign_adds_dollar",
     []() -> std::unique_ptr<NodeCommand> {
         return std::make_unique<CommandVariable>("gold", "5");
     },
     kCommandVariable, "ASSIGN", "$gold = 5"},
    {"assign_keeps_dollar",
     []() -> std::unique_ptr<NodeCommand> {
         return std::make_unique<CommandVariable>("$gold", "5");
     },
     kCommandVariable, "ASSIGN", "$gold = 5"},
    {"assign_empty_variable",
     []() -> std::unique_ptr<NodeCommand> { return std::make_unique<CommandVariable>("", "5"); },
     kCommandVariable, "ASSIGN", "$ = 5"},
    {"yes_no",
     []() -> std::unique_ptr<NodeCommand> {
         return std::make_unique<CommandYesNo>(CommandYesNo::Strings{"Yes", "No"},
                                               CommandYesNo::Strings{"N1", "N2"});
     },
     kCommandYesNo, "BRANCH", "branch \"Yes\"->N1, \"No\"->N2"},
    {"end", []() -> std::unique_ptr<NodeCommand> { return std::make_unique<CommandEnd>(); },
     kCommandEnd, "END", "END CONVERSATION"},
    {"goto", []() -> std::unique_ptr<NodeCommand> { return std::make_unique<CommandGoto>("Shop"); },
     kCommandGoto, "GOTO", "goto Shop"},
    {"reply",
     []() -> std::unique_ptr<NodeCommand> { return std::make_unique<CommandReply>("$name"); },
     kCommandReply, "REPLY", "reply $name"},
    {"list_return_only",
     []() -> std::unique_ptr<NodeCommand> {
         return std::make_unique<CommandList>(CommandList::Strings{}, CommandList::Strings{},
                                              NoConditions(), "Bye", "N3");
     },
     kCommandList, "BRANCH", "list \"Bye\"->N3"},
    {"list_skips_empty_choices",
     []() -> std::unique_ptr<NodeCommand> {
         CommandList::Conditions conditions;
         conditions[3].SetExpression("x > 1");
         conditions[2].SetExpression("ignored");
         return std::make_unique<CommandList>(CommandList::Strings{"Yes", "Ok", "", "Maybe"},
                                              CommandList::Strings{"N1", "N5", "N9", "N2"},
                                              conditions, "Bye", "N3");
     },
     kCommandList, "BRANCH",
     "list \"Yes\"->N1, \"Ok\"->N5, \"Maybe\"->N2 if (x > 1) then, \"Bye\"->N3"},
};

class CommandKinds : public testing::TestWithParam<CommandCase> {};

TEST_P(CommandKinds, BuildTextAndNameTheirKind) {
    const CommandCase& c = GetParam();
    const std::unique_ptr<NodeCommand> command = c.make();
    EXPECT_EQ(command->GetType(), c.type);
    EXPECT_EQ(command->GetTypeName(), c.typeName);
    EXPECT_EQ(command->GetText(), c.text);
    EXPECT_EQ(command->GetScriptText(), c.text);
    command->SetCondition(std::make_unique<Conditional>("$a == 1"));
    EXPECT_EQ(command->GetScriptText(), std::string("if ($a == 1) then ") + c.text);
}

TEST_P(CommandKinds, SurviveTheClipboardArchive) {
    const std::unique_ptr<NodeCommand> command = GetParam().make();
    command->SetCondition(std::make_unique<Conditional>("c"));
    const NodeCommand* copied[] = {command.get()};
    NodeCommandList list;
    ASSERT_TRUE(list.Parse(NodeCommandList::Serialize(copied)));
    ASSERT_EQ(list.GetCount(), 1u);
    const NodeCommand& pasted = *list.GetAt(0);
    EXPECT_EQ(pasted.GetType(), command->GetType());
    EXPECT_EQ(pasted.GetTypeName(), command->GetTypeName());
    EXPECT_EQ(pasted.GetText(), command->GetText());
    ASSERT_NE(pasted.GetCondition(), nullptr);
    EXPECT_EQ(pasted.GetCondition()->GetExpression(), "c");
}

INSTANTIATE_TEST_SUITE_P(All, CommandKinds, testing::ValuesIn(kCommandCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(CommandKinds, EmptyCommandsHaveTheirKindCode) {
    for (std::int32_t type = 0; type < kCommandTypeCount; ++type) {
        const auto command = MakeEmptyCommand(type);
        ASSERT_NE(command, nullptr);
        EXPECT_EQ(command->GetType(), type);
    }
    EXPECT_EQ(MakeEmptyCommand(-1), nullptr);
    EXPECT_EQ(MakeEmptyCommand(9), nullptr);
}

TEST(CommandKinds, KeepTheirFields) {
    const CommandConditionalVariable cassign("v", "t", "a", "b");
    EXPECT_EQ(cassign.GetVariable(), "$v");
    EXPECT_EQ(cassign.GetTest().GetExpression(), "t");
    EXPECT_EQ(cassign.GetTrueExpression(), "a");
    EXPECT_EQ(cassign.GetFalseExpression(), "b");
    CommandList::Conditions conditions;
    conditions[1].SetExpression("z");
    const CommandList list(CommandList::Strings{"a", "b"}, CommandList::Strings{"n", "m"},
                           conditions, "r", "rn");
    EXPECT_EQ(list.GetChoice(1), "b");
    EXPECT_EQ(list.GetNode(1), "m");
    EXPECT_EQ(list.GetCondition(1).GetExpression(), "z");
    EXPECT_EQ(list.GetReturnChoice(), "r");
    EXPECT_EQ(list.GetReturnNode(), "rn");
    EXPECT_EQ(list.GetCondition(), nullptr);
}

}  // namespace
}  // namespace tw
