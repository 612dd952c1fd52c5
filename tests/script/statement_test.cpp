#include "script/statement.h"

#include <gtest/gtest.h>

#include "script/lexer.h"
#include "script/script_errors.h"

namespace tw {
namespace {

// A statement that failed its check can still be run (a dialogue keeps its broken lines);
// a condition that is not a boolean then counts as false.
TEST(StatementTest, UncheckedIfWithNonBooleanConditionTakesElse) {
    Lexer lexer("if 1 then goto Then else goto Else");
    const auto statement = Statement::Parse(lexer);
    std::string message;
    EXPECT_FALSE(statement->Check(message));
    Environment environment;
    try {
        statement->Execute(environment);
        FAIL();
    } catch (const ControlFlowException& transfer) {
        EXPECT_EQ(transfer.GetFirstText(), "Else");
    }
}

}  // namespace
}  // namespace tw
