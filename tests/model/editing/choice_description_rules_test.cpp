#include "model/editing/choice_description_rules.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(YesNoRulesTest, EveryFieldIsNeeded) {
    YesNoFields fields;
    EXPECT_EQ(fields.choices, (CommandYesNo::Strings{"Yes", "No"}));
    EXPECT_EQ(CheckYesNoFields(fields), "Please fill in all fields.");
    fields.nodes = {"Agree", ""};
    EXPECT_EQ(CheckYesNoFields(fields), "Please fill in all fields.");
    fields.nodes = {"Agree", "Refuse"};
    fields.choices[0].clear();
    EXPECT_EQ(CheckYesNoFields(fields), "Please fill in all fields.");
    fields.choices[0] = "Sure";
    EXPECT_EQ(CheckYesNoFields(fields), "");
    const auto command = BuildYesNoCommand(fields);
    EXPECT_EQ(command->GetText(), "branch \"Sure\"->Agree, \"No\"->Refuse");
    EXPECT_EQ(FieldsOfYesNo(*command), fields);
}

TEST(ListRulesTest, OnlyTheReturnRowIsNeeded) {
    ListFields fields;
    EXPECT_EQ(CheckListFields(fields), "Please enter a return choice and node.");
    fields.returnChoice = "Bye";
    EXPECT_EQ(CheckListFields(fields), "Please enter a return choice and node.");
    fields.returnNode = "N3";
    EXPECT_EQ(CheckListFields(fields), "");
    EXPECT_EQ(BuildListCommand(fields)->GetText(), "list \"Bye\"->N3");
}

TEST(ListRulesTest, AChoiceNeedsANodeButANodeNeedsNoChoice) {
    ListFields fields;
    fields.returnChoice = "Bye";
    fields.returnNode = "N3";
    fields.nodes[0] = "Orphan";
    EXPECT_EQ(CheckListFields(fields), "");
    EXPECT_EQ(BuildListCommand(fields)->GetText(), "list \"Bye\"->N3");
    fields.choices[4] = "Maybe";
    fields.conditions[4] = "x > 1";
    EXPECT_EQ(CheckListFields(fields), "Please choose a node for each choice.");
    // The row check comes before the return row's.
    fields.returnNode.clear();
    EXPECT_EQ(CheckListFields(fields), "Please choose a node for each choice.");
}

TEST(ListRulesTest, RowsKeepTheirPlacesAndConditions) {
    ListFields fields;
    fields.choices[1] = "Yes";
    fields.nodes[1] = "N1";
    fields.choices[3] = "Maybe";
    fields.nodes[3] = "N2";
    fields.conditions[3] = " x > 1 ";
    fields.conditions[5] = "   ";
    fields.returnChoice = "Bye";
    fields.returnNode = "N3";
    const auto command = BuildListCommand(fields);
    EXPECT_EQ(command->GetText(), "list \"Yes\"->N1, \"Maybe\"->N2 if (x > 1) then, \"Bye\"->N3");
    const ListFields back = FieldsOfList(*command);
    EXPECT_EQ(back.choices, fields.choices);
    EXPECT_EQ(back.nodes, fields.nodes);
    EXPECT_EQ(back.conditions[3], "x > 1");
    EXPECT_EQ(back.conditions[5], "");
    EXPECT_EQ(back.returnChoice, "Bye");
    EXPECT_EQ(back.returnNode, "N3");
}

}  // namespace
}  // namespace tw
