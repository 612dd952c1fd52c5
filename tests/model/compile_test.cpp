// Commands and responses through the script language: compile messages, execution and
// condition evaluation.

#include <gtest/gtest.h>

#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "script/environment.h"
#include "script/script_errors.h"
#include "script/value.h"
#include "support/model_fixtures.h"

namespace tw {
namespace {

TEST(NodeCompile, ListsOneMessagePerFailureAndGoesOn) {
    DialogueNode node(1, "Greet", "greets");
    node.AppendCommand(std::make_unique<CommandFlag>(true, "kMet"));
    node.AppendCommand(std::make_unique<CommandManual>("goto"));
    auto flagged = std::make_unique<CommandVariable>("gold", "5");
    flagged->SetCondition(test::Cond("$gold > 1"));
    node.AppendCommand(std::move(flagged));
    auto bad = std::make_unique<NodeResponseAdd>("A01");
    bad->SetCondition(test::Cond("($x > 1"));
    node.AppendResponse(std::move(bad));
    auto good = std::make_unique<NodeResponseAdd>("B01");
    good->SetCondition(test::Cond("$x > 1 and 3"));  // parsed, never checked
    node.AppendResponse(std::move(good));
    std::vector<std::string> errors;
    node.Compile(errors);
    EXPECT_EQ(errors, (std::vector<std::string>{
                          "NODE Greet [greets]: Syntax Error: goto: 'goto' keyword must be "
                          "followed by a node name",
                          "NODE Greet [greets]: Response Condition: ($x > 1: Parentheses "
                          "mismatch: missing ')'",
                      }));
    EXPECT_TRUE(node.Commands()[0]->IsCompiled());
    EXPECT_FALSE(node.Commands()[1]->IsCompiled());
    EXPECT_TRUE(node.Commands()[2]->IsCompiled());
}

TEST(NodeCompile, FailedCheckIsASyntaxError) {
    DialogueNode node(1, "N");
    node.AppendCommand(std::make_unique<CommandManual>("flag = 3"));
    std::vector<std::string> errors;
    node.Compile(errors);
    EXPECT_EQ(errors, std::vector<std::string>{
                          "NODE N: Syntax Error: flag = 3: Assignment to flag is not allowed, use "
                          "'set' instead"});
}

TEST(NodeCompile, WholeDialogueInPreOrder) {
    const std::unique_ptr<Dialogue> dialogue = test::MakeFullDialogue();
    std::vector<std::string> errors;
    dialogue->Compile(errors);
    // x is a flag, so the test of the conditional assignment compares kinds that differ;
    // the end command's condition is empty. Every other kind compiles.
    EXPECT_EQ(errors, (std::vector<std::string>{
                          "NODE Initialization Node: Syntax Error: $mood = if (x > 1) then (1) "
                          "else (2): Binary operator '>' can not be applied to different operand "
                          "types",
                          "NODE Greet [greets]: Syntax Error: if () then END CONVERSATION: Empty "
                          "expression not allowed",
                      }));
    const DialogueNode& greet = *dialogue->Root().Children()[0];
    for (std::size_t i : {0u, 2u, 3u, 4u}) {
        EXPECT_TRUE(greet.Commands()[i]->IsCompiled()) << i;
    }
}

TEST(CommandExecute, ChangesTheEnvironmentOrHandsOverControl) {
    Environment environment;
    CommandVariable assign("gold", "2 + 3");
    assign.Execute(environment);  // not compiled: does nothing
    EXPECT_EQ(environment.Get("$gold").GetType(), ValueType::Invalid);
    assign.Compile();
    assign.Execute(environment);
    EXPECT_EQ(environment.Get("$gold"), Value(5));
    CommandFlag flag(true, "kMet");
    flag.Compile();
    flag.Execute(environment);
    EXPECT_TRUE(environment.Get("kMet").GetBoolean());
    CommandGoto go("Shop");
    go.SetCondition(test::Cond("kMet"));
    go.Compile();
    try {
        go.Execute(environment);
        ADD_FAILURE() << "goto did not hand over control";
    } catch (const ControlFlowException& transfer) {
        EXPECT_EQ(transfer.GetKind(), ControlFlowException::GOTO);
        EXPECT_EQ(transfer.GetFirstText(), "Shop");
    }
}

TEST(CommandCompile, ChangingTheTextDropsTheStatement) {
    CommandManual command("$a = 1");
    command.Compile();
    EXPECT_TRUE(command.IsCompiled());
    command.SetText("$a = (");
    EXPECT_FALSE(command.IsCompiled());
    EXPECT_THROW(command.Compile(), SyntaxError);
    EXPECT_FALSE(command.IsCompiled());
}

TEST(ResponseEvaluate, ConditionsDecideTheResponse) {
    Environment environment;
    NodeResponseAdd always("A01");
    always.Compile();
    EXPECT_TRUE(always.Evaluate(environment).IsBoolean());
    EXPECT_TRUE(always.Evaluate(environment).GetBoolean());
    NodeResponseAdd guarded("B01");
    guarded.SetCondition(test::Cond("$x > 1"));
    guarded.Compile();
    environment.Set("$x", Value(2));
    EXPECT_TRUE(guarded.Evaluate(environment).GetBoolean());
    environment.Set("$x", Value(0));
    EXPECT_FALSE(guarded.Evaluate(environment).GetBoolean());
    NodeResponseCut broken;
    broken.SetCondition(test::Cond("$x >"));
    EXPECT_THROW(broken.Compile(), SyntaxError);
    EXPECT_TRUE(broken.Evaluate(environment).GetBoolean());  // nothing compiled
}

}  // namespace
}  // namespace tw
