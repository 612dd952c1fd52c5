#include "model/editing/command_dialog_rules.h"

#include <gtest/gtest.h>

#include "model/command_kinds.h"

namespace tw {
namespace {

CommandFields Choose(CommandChoice choice) {
    CommandFields fields;
    fields.choice = choice;
    return fields;
}

std::string TextOf(const CommandFields& fields) {
    const CommandOutcome outcome = BuildCommandFromFields(fields);
    EXPECT_EQ(outcome.error, "");
    return outcome.command ? outcome.command->GetScriptText() : "<none>";
}

std::string ErrorOf(const CommandFields& fields) {
    const CommandOutcome outcome = BuildCommandFromFields(fields);
    EXPECT_EQ(outcome.command, nullptr);
    return outcome.error;
}

TEST(CommandRulesTest, EachKindNeedsItsFields) {
    EXPECT_EQ(ErrorOf(Choose(CommandChoice::kManual)), "You must type in a command.");
    EXPECT_EQ(ErrorOf(Choose(CommandChoice::kSetFlag)), "You must type in a flag.");
    EXPECT_EQ(ErrorOf(Choose(CommandChoice::kClearFlag)), "You must type in a flag.");
    EXPECT_EQ(ErrorOf(Choose(CommandChoice::kGoto)), "You must type in a goto-node.");
    EXPECT_EQ(ErrorOf(Choose(CommandChoice::kMultipleChoice)), "Please describe the branch query.");
    EXPECT_EQ(ErrorOf(Choose(CommandChoice::kResponseList)), "Please describe the branch query.");
    CommandFields assign = Choose(CommandChoice::kAssign);
    EXPECT_EQ(ErrorOf(assign), "You must type in a variable name.");
    assign.variable = "gold";
    EXPECT_EQ(ErrorOf(assign), "You must type in an assign expression.");
}

TEST(CommandRulesTest, ConditionalAssignmentChecksInOrder) {
    CommandFields fields = Choose(CommandChoice::kConditionalAssign);
    fields.trueValue = "1";
    EXPECT_EQ(ErrorOf(fields), "Please enter a variable name");
    fields.variable = "mood";
    EXPECT_EQ(ErrorOf(fields), "Please enter expressions for both the TRUE and FALSE cases.");
    fields.falseValue = "2";
    EXPECT_EQ(ErrorOf(fields), "Please select a conditional expression.");
    fields.test = "   ";
    EXPECT_EQ(ErrorOf(fields), "Please select a conditional expression.");
    fields.test = " x > 1 ";
    EXPECT_EQ(TextOf(fields), "$mood = if (x > 1) then (1) else (2)");
}

TEST(CommandRulesTest, EveryKindBuildsItsText) {
    CommandFields fields = Choose(CommandChoice::kSetFlag);
    fields.flag = "kMetOrvane";
    EXPECT_EQ(TextOf(fields), "set kMetOrvane = TRUE");
    fields.choice = CommandChoice::kClearFlag;
    EXPECT_EQ(TextOf(fields), "set kMetOrvane = FALSE");
    fields = Choose(CommandChoice::kAssign);
    fields.variable = "gold";
    fields.value = "5";
    EXPECT_EQ(TextOf(fields), "$gold = 5");
    EXPECT_EQ(TextOf(Choose(CommandChoice::kEnd)), "END CONVERSATION");
    fields = Choose(CommandChoice::kGoto);
    fields.gotoNode = "Farewell";
    EXPECT_EQ(TextOf(fields), "goto Farewell");
    // An empty reply variable is accepted.
    EXPECT_EQ(TextOf(Choose(CommandChoice::kReply)), "reply ");
    fields = Choose(CommandChoice::kManual);
    fields.manual = " set a = TRUE";  // taken as typed
    EXPECT_EQ(TextOf(fields), " set a = TRUE");
    fields = Choose(CommandChoice::kMultipleChoice);
    fields.yesNo = YesNoFields{{"Yes", "No"}, {"A", "B"}};
    EXPECT_EQ(TextOf(fields), "branch \"Yes\"->A, \"No\"->B");
    fields = Choose(CommandChoice::kResponseList);
    fields.list = ListFields{};
    fields.list->returnChoice = "Bye";
    fields.list->returnNode = "C";
    EXPECT_EQ(TextOf(fields), "list \"Bye\"->C");
    EXPECT_EQ(TextOf(Choose(CommandChoice::kNone)), "<none>");
}

TEST(CommandRulesTest, TheConditionComesFirstAndIsTrimmed) {
    CommandFields fields = Choose(CommandChoice::kSetFlag);
    fields.hasCondition = true;
    fields.condition = "  ";
    EXPECT_EQ(ErrorOf(fields), "Please enter a conditional expression.");
    fields.condition = " $gold >= 5 ";
    EXPECT_EQ(ErrorOf(fields), "You must type in a flag.");
    fields.flag = "kRich";
    EXPECT_EQ(TextOf(fields), "if ($gold >= 5) then set kRich = TRUE");
    // An unticked box drops whatever the edit holds.
    fields.hasCondition = false;
    EXPECT_EQ(TextOf(fields), "set kRich = TRUE");
}

TEST(CommandRulesTest, FieldsOfEveryKindBuildTheSameCommandAgain) {
    std::vector<std::unique_ptr<NodeCommand>> commands;
    commands.push_back(std::make_unique<CommandManual>("set a = TRUE"));
    commands.push_back(std::make_unique<CommandFlag>(false, "kMet"));
    commands.push_back(std::make_unique<CommandConditionalVariable>("$m", "x > 1", "1", "2"));
    commands.push_back(std::make_unique<CommandVariable>("gold", "5"));
    commands.push_back(std::make_unique<CommandYesNo>(CommandYesNo::Strings{"Y", "N"},
                                                      CommandYesNo::Strings{"A", "B"}));
    commands.push_back(std::make_unique<CommandEnd>());
    commands.push_back(std::make_unique<CommandGoto>("Farewell"));
    commands.push_back(std::make_unique<CommandReply>("answer"));
    CommandList::Strings choices{"One"};
    CommandList::Strings nodes{"A"};
    CommandList::Conditions conditions;
    conditions[0].SetExpression("kMet");
    commands.push_back(std::make_unique<CommandList>(choices, nodes, conditions, "Bye", "B"));
    commands[6]->SetCondition(std::make_unique<Conditional>("kMet"));
    for (const auto& command : commands) {
        const CommandFields fields = FieldsOfCommand(*command);
        const CommandOutcome again = BuildCommandFromFields(fields);
        ASSERT_NE(again.command, nullptr) << command->GetText();
        EXPECT_EQ(again.command->GetType(), command->GetType());
        EXPECT_EQ(again.command->GetScriptText(), command->GetScriptText());
    }
    const CommandFields go = FieldsOfCommand(*commands[6]);
    EXPECT_EQ(go.choice, CommandChoice::kGoto);
    EXPECT_EQ(go.gotoNode, "Farewell");
    EXPECT_TRUE(go.hasCondition);
    EXPECT_EQ(go.condition, "kMet");
    EXPECT_EQ(FieldsOfCommand(*commands[3]).variable, "$gold");
    EXPECT_EQ(FieldsOfCommand(*commands[1]).choice, CommandChoice::kClearFlag);
}

}  // namespace
}  // namespace tw
