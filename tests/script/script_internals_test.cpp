// Pieces of the script engine no checked script line reaches: tokens the lexer never makes,
// unchecked statements, out-of-range uses, the payloads of values, what each operator
// accepts, and the excerpts messages quote. Everything a line can show is in
// tests/script/cases.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "script/excerpt.h"
#include "script/expression.h"
#include "script/lexer.h"
#include "script/operator_table.h"
#include "script/operators.h"
#include "script/script_errors.h"
#include "script/statement.h"
#include "script/token.h"
#include "script/value.h"

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

TEST(ValueTest, PayloadOfAnotherKindReadsAsZero) {
    const Value text("yes");
    EXPECT_EQ(text.GetInteger(), 0);
    EXPECT_EQ(text.GetReal(), 0.0);
    EXPECT_FALSE(text.GetBoolean());
    EXPECT_FALSE(Value(1).GetBoolean());
    EXPECT_FALSE(Value(1.0).GetBoolean());
    EXPECT_EQ(Value(true).GetInteger(), 0);
    EXPECT_EQ(Value(7).GetReal(), 0.0);
    EXPECT_EQ(Value(7.5).GetInteger(), 0);
    EXPECT_EQ(Value(7).GetString(), "");
    EXPECT_FALSE(Value().GetBoolean());
}

TEST(ValueTest, EqualityComparesKindAndPayload) {
    EXPECT_EQ(Value(1), Value(1));
    EXPECT_NE(Value(1), Value(1.0));
    EXPECT_NE(Value("a"), Value("A"));
    EXPECT_EQ(Value(), Value());
    EXPECT_NE(Value(true), Value(false));
}

struct Shape {
    int type;
    const char* symbol;
    bool binary;
    bool unary;
    bool acceptsBoolean;
    bool acceptsNonBoolean;
    bool resultIsBoolean;
};

TEST(OperatorsTest, WhatEachOperatorAccepts) {
    const Shape shapes[] = {
        {1, "+", true, true, false, true, false},    {2, "-", true, true, false, true, false},
        {7, "/", true, false, false, true, false},   {8, "*", true, false, false, true, false},
        {9, "%", true, false, false, true, false},   {11, "=", true, false, true, true, true},
        {12, ">=", true, false, false, true, true},  {13, "<=", true, false, false, true, true},
        {14, "<", true, false, false, true, true},   {15, ">", true, false, false, true, true},
        {16, "<>", true, false, true, true, true},   {17, "not", false, true, true, false, true},
        {20, "AND", true, false, true, false, true}, {21, "or", true, false, true, false, true},
    };
    for (const Shape& s : shapes) {
        SCOPED_TRACE(s.symbol);
        const auto op = CreateOperator(s.type, s.symbol);
        EXPECT_EQ(op->GetType(), s.type);
        EXPECT_EQ(op->GetSymbol(), s.symbol);
        EXPECT_EQ(op->IsBinary(), s.binary);
        EXPECT_EQ(op->IsUnary(), s.unary);
        EXPECT_EQ(op->AcceptsOperand(true), s.acceptsBoolean);
        EXPECT_EQ(op->AcceptsOperand(false), s.acceptsNonBoolean);
        EXPECT_EQ(op->BinaryResultIsBoolean(false, false), s.resultIsBoolean);
        EXPECT_EQ(op->UnaryResultIsBoolean(true), s.resultIsBoolean);
    }
}

Value Binary(int type, const Value& left, const Value& right) {
    return CreateOperator(type, "op")->EvaluateBinary(Environment(), left, right);
}

TEST(OperatorsTest, NotANumberIsUnordered) {
    namespace op = operator_type;
    const Value nan(std::nan(""));
    EXPECT_EQ(Binary(op::kEqualTo, nan, nan), Value(false));
    EXPECT_EQ(Binary(op::kNotEqual, nan, Value(1)), Value(true));
    EXPECT_EQ(Binary(op::kLessThan, nan, Value(1.0)), Value(false));
    EXPECT_EQ(Binary(op::kGreaterEqual, Value(1), nan), Value(false));
}

TEST(ExcerptTest, ShortTextsStayWholeAndLongOnesAreCut) {
    EXPECT_EQ(Excerpt(""), "");
    EXPECT_EQ(Excerpt(std::string(kMaxExcerptBytes, 'a')), std::string(kMaxExcerptBytes, 'a'));
    EXPECT_EQ(Excerpt(std::string(kMaxExcerptBytes + 1, 'a')),
              std::string(kMaxExcerptBytes, 'a') + "...");
    EXPECT_EQ(Excerpt("abcdef", 3), "abc...");
}

TEST(ExcerptTest, NeverSplitsAUtf8Character) {
    // "é" is C3 A9: a cut after C3 would leave half a character.
    EXPECT_EQ(Excerpt("ab\xC3\xA9z", 3), "ab...");
    EXPECT_EQ(Excerpt("ab\xC3\xA9z", 4), "ab\xC3\xA9...");
    // Windows-1252 bytes that only look like continuations are cut where they are.
    EXPECT_EQ(Excerpt("a\x93\x94\x85\x96z", 4), "a\x93\x94\x85...");
    EXPECT_EQ(Excerpt("a\x93\x94z", 2), "a\x93...");
}

}  // namespace
}  // namespace tw
