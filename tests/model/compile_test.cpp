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

// Compile messages of whole dialogues are cases in check/cases/findings.jsonl.

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
