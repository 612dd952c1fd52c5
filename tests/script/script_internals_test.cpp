// Pieces of the script engine no checked script line reaches: tokens the lexer never makes,
// unchecked statements and out-of-range uses. Everything a line can show is in
// tests/script/cases.

#include <gtest/gtest.h>

#include <stdexcept>

#include "script/expression.h"
#include "script/lexer.h"
#include "script/operator_table.h"
#include "script/operators.h"
#include "script/script_errors.h"
#include "script/statement.h"
#include "script/token.h"

namespace tw {
namespace {

TEST(ScriptInternalsTest, ImpossibleTokensAreRefused) {
    EXPECT_THROW(Token::Keyword("elsewhere"), std::invalid_argument);
    EXPECT_THROW(Token::Delimiter('\0'), std::invalid_argument);
    EXPECT_THROW(Token::Delimiter(';'), std::invalid_argument);
    try {
        Token::Operator("=>");
        FAIL();
    } catch (const SyntaxError& e) {
        EXPECT_EQ(e.GetMessage(), "Internal error: tried to create invalid operator '=>'");
    }
    EXPECT_FALSE(IsKeyword(Token::Identifier("if"), KeywordCode::If));
    EXPECT_FALSE(IsDelimiter(Token::Identifier("("), '('));
    EXPECT_EQ(Token::Result(3).GetText(), "");
    EXPECT_TRUE(Token::String("=").TextEquals("="));
    EXPECT_FALSE(Token::Integer(12).TextEquals(""));
}

TEST(ScriptInternalsTest, PiecesNoLineReaches) {
    EXPECT_EQ(ExprVariable("  $gold \t").GetName(), "$gold");
    const auto notOperator = CreateOperator(operator_type::kLogicalNot, "not");
    EXPECT_EQ(notOperator->EvaluateBinary(Environment(), Value(true), Value(true)), Value());
    EXPECT_FALSE(IsVariableName(""));
    ControlFlowException transfer(ControlFlowException::END, "");
    transfer.SetText(ControlFlowException::kTextCount, "lost");
    EXPECT_EQ(transfer.GetText(ControlFlowException::kTextCount), "");
}

// A statement that failed its check can still be run (a dialogue keeps its broken lines);
// a condition that is not a boolean then counts as false.
TEST(ScriptInternalsTest, UncheckedIfWithNonBooleanConditionTakesElse) {
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
