#include "script/statement.h"

#include <gtest/gtest.h>

#include <string>

#include "script/statement_kinds.h"
#include "script_test_support.h"

namespace tw {
namespace {

using test::CompileError;
using test::RunLine;

std::unique_ptr<Statement> ParseLine(std::string_view line) {
    Lexer lexer(line);
    return Statement::Parse(lexer);
}

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

TEST(StatementTest, LinesWithoutTokensGiveNoStatement) {
    EXPECT_EQ(ParseLine(""), nullptr);
    EXPECT_EQ(ParseLine(" \t \r"), nullptr);
}

TEST(StatementTest, ParseReadsOneStatementAndLeavesTheRest) {
    Lexer lexer("goto A B");
    const auto statement = Statement::Parse(lexer);
    ASSERT_NE(statement, nullptr);
    EXPECT_EQ(lexer.NextToken()->GetText(), "B");
}

TEST(StatementTest, ParseExpressionStopsBeforeAKeyword) {
    Lexer lexer("$a + 1 then x");
    const auto expression = Statement::ParseExpression(lexer);
    EXPECT_EQ(expression->Evaluate(Environment()), Value(1));
    EXPECT_EQ(lexer.NextToken()->GetText(), "then");
    Lexer empty("else");
    try {
        Statement::ParseExpression(empty);
        FAIL();
    } catch (const SyntaxError& e) {
        EXPECT_EQ(e.GetMessage(), "Empty expression not allowed");
    }
    EXPECT_TRUE(Statement::IsTerminator(Token::Keyword("Else")));
    EXPECT_FALSE(Statement::IsTerminator(Token::Identifier("conversation")));
}

TEST(StatementTest, AssignmentsStoreTheirValue) {
    Environment environment;
    RunLine("$x = 2 * 3", environment);
    RunLine("$r = if ($x > 0) then ('pos') else ($x)", environment);
    RunLine("$q = if $x > 10 then 1 / 0 else $x + 1", environment);
    RunLine("set WaliveFarrow = true", environment);
    RunLine("set walivefarrow false", environment);
    EXPECT_EQ(environment.Get("$x"), Value(6));
    EXPECT_EQ(environment.Get("$r"), Value("pos"));
    EXPECT_EQ(environment.Get("$q"), Value(7));
    EXPECT_EQ(environment.Get("WALIVEFARROW"), Value(false));
    EXPECT_EQ(environment.begin()->first, "$q");
}

TEST(StatementTest, ControlStatementsRaiseTransfers) {
    Environment environment;
    const ControlFlowException go = RunLine("goto Start", environment);
    EXPECT_EQ(go.GetKind(), ControlFlowException::GOTO);
    EXPECT_EQ(go.GetFirstText(), "Start");
    const ControlFlowException reply = RunLine("reply $answer", environment);
    EXPECT_EQ(reply.GetKind(), ControlFlowException::REPLY);
    EXPECT_EQ(reply.GetFirstText(), "$answer");
    const ControlFlowException end = RunLine("End Conversation", environment);
    EXPECT_EQ(end.GetKind(), ControlFlowException::END);
    EXPECT_EQ(end.GetFirstText(), "");
    const ControlFlowException branch =
        RunLine("branch 'Yes' -> Accept, 'No' -> Refuse", environment);
    EXPECT_EQ(branch.GetKind(), ControlFlowException::BRANCH);
    const std::string expected[] = {"", "Yes", "Accept", "No", "Refuse", ""};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(branch.GetText(i), expected[i]);
    }
    EXPECT_EQ(RunLine("rem goto Nowhere", environment).GetKind(), -1);
    EXPECT_TRUE(environment.empty());
}

TEST(StatementTest, ListFillsPairsOfListedItems) {
    Environment environment;
    const ControlFlowException list =
        RunLine("list 'a' -> A, 'b' -> B if false then, 'c' -> C", environment);
    EXPECT_EQ(list.GetKind(), ControlFlowException::LIST);
    const std::string expected[] = {"2", "a", "A", "c", "C", "", ""};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(list.GetText(i), expected[i]);
    }
}

TEST(StatementTest, ListOfTwelveFillsEveryText) {
    std::string line = "list";
    for (int i = 1; i <= 13; ++i) {
        line += (i > 1 ? ", '" : " '") + std::to_string(i) + "' -> N" + std::to_string(i);
    }
    Environment environment;
    const ControlFlowException list = RunLine(line, environment);
    EXPECT_EQ(list.GetFirstText(), "12");
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(list.GetText(2 * i - 1), std::to_string(i));
        EXPECT_EQ(list.GetText(2 * i), "N" + std::to_string(i));
    }
}

TEST(StatementTest, ListItemWithNonBooleanConditionIsNotListed) {
    Environment environment;
    environment.Set("$n", 1);
    environment.Set("kOdd", "yes");
    EXPECT_EQ(RunLine("list 'x' -> X if $n then, 'y' -> Y if kOdd then, 'z' -> Z", environment)
                  .GetText(0),
              "1");
}

TEST(StatementTest, IfRunsOneBranch) {
    Environment environment;
    environment.Set("$a", 2);
    EXPECT_EQ(RunLine("if $a > 1 then goto N1 else goto N2", environment).GetFirstText(), "N1");
    EXPECT_EQ(RunLine("if $a > 5 then goto N1 else goto N2", environment).GetFirstText(), "N2");
    EXPECT_EQ(RunLine("if $a > 1 then", environment).GetKind(), -1);
    // The then-part is a whole statement, so an else right after then does not parse.
    EXPECT_EQ(CompileError("if $a > 1 then else goto N2"),
              "Statement begins with unexpected keyword 'else'");
    EXPECT_EQ(RunLine("if $a > 5 then goto N1 else", environment).GetKind(), -1);
    EXPECT_EQ(RunLine("if $a > 1 then if $a > 5 then goto Inner else goto Nearest", environment)
                  .GetFirstText(),
              "Nearest");
}

TEST(StatementTest, UncheckedIfWithNonBooleanConditionTakesElse) {
    Environment environment;
    const auto statement = ParseLine("if 1 then goto Then else goto Else");
    std::string message;
    EXPECT_FALSE(statement->Check(message));
    EXPECT_EQ(message, "Result of conditional expression must be a boolean value");
    try {
        statement->Execute(environment);
        FAIL();
    } catch (const ControlFlowException& transfer) {
        EXPECT_EQ(transfer.GetFirstText(), "Else");
    }
}

TEST(StatementTest, ChecksOfNestedStatements) {
    EXPECT_EQ(CompileError("if true then $x = true"),
              "Result of assignment must be a string, integer, or real number");
    EXPECT_EQ(CompileError("if true then goto A else reply x"),
              "'reply' statement can only be used with a variable (not a flag)");
    EXPECT_EQ(CompileError("if $x = 1 then set F = not $x"),
              "'not' operator can not be applied to non-boolean values");
    EXPECT_EQ(CompileError("$x = if true then $y else 'a' + true"),
              "Binary operator '+' can not be applied to different operand types");
    EXPECT_EQ(CompileError("$x = if 1 + true then 1 else 2"),
              "Binary operator '+' can not be applied to different operand types");
    EXPECT_EQ(CompileError("F = if true then 1 else kFlag"),
              "Result of assignment must be a string, integer, or real number");
    EXPECT_EQ(CompileError("set F = 1 + true"),
              "Binary operator '+' can not be applied to different operand types");
    EXPECT_EQ(CompileError("Flag1 = 3"), "Assignment to flag is not allowed, use 'set' instead");
    EXPECT_EQ(CompileError("list 'a' -> A if 5 then"), "");
}

TEST(StatementTest, ChangesBeforeAFailureStay) {
    Environment environment;
    environment.Set("$n", 0);
    const auto statement = ParseLine("list 'a' -> A if 1 / $n = 1 then");
    EXPECT_THROW(statement->Execute(environment), RuntimeError);
    EXPECT_EQ(environment.Get("$n"), Value(0));
}

TEST(StatementTest, BoundsStatementNesting) {
    const std::string deepest = Repeat("if true then ", kMaxStatementDepth - 1) + "goto Bottom";
    Environment environment;
    EXPECT_EQ(RunLine(deepest, environment).GetFirstText(), "Bottom");
    EXPECT_EQ(CompileError("if true then " + deepest), "Statement nested too deeply");
    EXPECT_EQ(CompileError(Repeat("if true then ", 100000)), "Statement nested too deeply");
    EXPECT_EQ(CompileError(Repeat("if true then goto A else ", 300)),
              "Statement nested too deeply");
}

}  // namespace
}  // namespace tw
