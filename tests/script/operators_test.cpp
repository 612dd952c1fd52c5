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

TEST(OperatorsTest, TypesWithoutAClassAreUnknown) {
    const std::pair<int, const char*> unknown[] = {{30, "^^"}, {39, "->"}, {0, " "}, {99, "?"}};
    for (const auto& [type, symbol] : unknown) {
        try {
            CreateOperator(type, symbol);
            ADD_FAILURE() << symbol;
        } catch (const SyntaxError& e) {
            EXPECT_EQ(e.GetMessage(), std::string("Unknown operator type: ") + symbol);
        }
    }
}

Value Binary(int type, const Value& left, const Value& right) {
    return CreateOperator(type, "op")->EvaluateBinary(Environment(), left, right);
}

TEST(OperatorsTest, InvalidOperandsGiveInvalidOrTheirTextForm) {
    namespace op = operator_type;
    EXPECT_EQ(Binary(op::kPlus, Value(), Value(1)), Value("01"));
    EXPECT_EQ(Binary(op::kMinus, Value(), Value(1)), Value());
    EXPECT_EQ(Binary(op::kMultiply, Value(true), Value(2)), Value());
    EXPECT_EQ(Binary(op::kDivide, Value(true), Value(2)), Value());
    EXPECT_EQ(Binary(op::kModulus, Value(), Value(2)), Value());
    EXPECT_EQ(Binary(op::kEqualTo, Value(), Value("0")), Value(true));
    EXPECT_EQ(Binary(op::kEqualTo, Value(true), Value(1)), Value(false));
    EXPECT_EQ(Binary(op::kEqualTo, Value(true), Value("TRUE")), Value(true));
    // Operators answer invalid for the use they do not define.
    EXPECT_EQ(Binary(op::kLogicalNot, Value(true), Value(true)), Value());
    const auto times = CreateOperator(op::kMultiply, "*");
    EXPECT_EQ(times->EvaluateUnary(Environment(), Value(5)), Value());
    const auto minus = CreateOperator(op::kMinus, "-");
    EXPECT_EQ(minus->EvaluateUnary(Environment(), Value("s")), Value("s"));
    EXPECT_EQ(minus->EvaluateUnary(Environment(), Value(true)), Value(true));
}

TEST(OperatorsTest, ModulusByABooleanDoesNotDivide) {
    // A boolean has no integer payload to divide by; the result is invalid, not a crash.
    EXPECT_EQ(Binary(operator_type::kModulus, Value(5), Value(true)), Value());
    EXPECT_EQ(Binary(operator_type::kModulus, Value(5), Value(false)), Value());
}

TEST(OperatorsTest, IntegerArithmeticWrapsInThirtyTwoBits) {
    namespace op = operator_type;
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(Binary(op::kPlus, Value(kMax), Value(1)), Value(kMin));
    EXPECT_EQ(Binary(op::kMinus, Value(kMin), Value(1)), Value(kMax));
    EXPECT_EQ(Binary(op::kMultiply, Value(kMin), Value(-1)), Value(kMin));
    EXPECT_EQ(Binary(op::kMultiply, Value(65537), Value(65537)), Value(131073));
    EXPECT_EQ(Binary(op::kDivide, Value(kMin), Value(-1)), Value(kMin));
    EXPECT_EQ(Binary(op::kModulus, Value(kMin), Value(-1)), Value(0));
    EXPECT_EQ(Binary(op::kDivide, Value(-7), Value(2)), Value(-3));
    EXPECT_EQ(Binary(op::kModulus, Value(-7), Value(3)), Value(-1));
    EXPECT_EQ(Binary(op::kModulus, Value(7), Value(-3)), Value(1));
    const auto minus = CreateOperator(op::kMinus, "-");
    EXPECT_EQ(minus->EvaluateUnary(Environment(), Value(kMin)), Value(kMin));
}

TEST(OperatorsTest, NotANumberIsUnordered) {
    namespace op = operator_type;
    const Value nan(std::nan(""));
    EXPECT_EQ(Binary(op::kEqualTo, nan, nan), Value(false));
    EXPECT_EQ(Binary(op::kNotEqual, nan, Value(1)), Value(true));
    EXPECT_EQ(Binary(op::kLessThan, nan, Value(1.0)), Value(false));
    EXPECT_EQ(Binary(op::kGreaterEqual, Value(1), nan), Value(false));
}

TEST(OperatorsTest, RealDivisionAndMixedKinds) {
    namespace op = operator_type;
    EXPECT_EQ(Binary(op::kDivide, Value(7), Value(2.0)), Value(3.5));
    EXPECT_EQ(Binary(op::kMultiply, Value(2), Value(1.5)), Value(3.0));
    EXPECT_EQ(Binary(op::kMinus, Value(2.5), Value(1)), Value(1.5));
    EXPECT_EQ(Binary(op::kLessThan, Value(1), Value(1.5)), Value(true));
    EXPECT_EQ(Binary(op::kGreaterThan, Value(2), Value(10)), Value(false));
    // Text comparison of non-numbers: "2" sorts after "10".
    EXPECT_EQ(Binary(op::kGreaterThan, Value("2"), Value(10)), Value(true));
    try {
        Binary(op::kDivide, Value(1.0), Value(-0.0));
        ADD_FAILURE();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.GetMessage(), "Division by zero");
    }
}

}  // namespace
}  // namespace tw
