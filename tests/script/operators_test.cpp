#include "script/operators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "script/operator_table.h"
#include "script/script_errors.h"

namespace tw {
namespace {

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

}  // namespace
}  // namespace tw
