#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "script/environment.h"
#include "script/value.h"

namespace tw {

// An operator of an expression tree: what it accepts statically and how it computes.
class Operator {
public:
    Operator(int type, std::string_view symbol) : type_(type), symbol_(symbol) {}
    virtual ~Operator() = default;
    Operator(const Operator&) = delete;
    Operator& operator=(const Operator&) = delete;

    int GetType() const { return type_; }
    std::string GetSymbol() const { return symbol_; }
    virtual bool IsBinary() const { return true; }
    virtual bool IsUnary() const { return false; }
    virtual bool AcceptsOperand(bool isBoolean) const = 0;
    virtual bool BinaryResultIsBoolean(bool leftIsBoolean, bool rightIsBoolean) const = 0;
    virtual bool UnaryResultIsBoolean(bool operandIsBoolean) const = 0;
    // Both answer an invalid value unless the operator defines that use.
    virtual Value EvaluateUnary(const Environment& environment, const Value& operand) const;
    virtual Value EvaluateBinary(const Environment& environment, const Value& left,
                                 const Value& right) const;

private:
    int type_;
    std::string symbol_;
};

// Arithmetic: non-boolean operands, non-boolean result.
class MathOperator : public Operator {
public:
    using Operator::Operator;
    bool AcceptsOperand(bool isBoolean) const override { return !isBoolean; }
    bool BinaryResultIsBoolean(bool, bool) const override { return false; }
    bool UnaryResultIsBoolean(bool) const override { return false; }
};

// Comparisons and logic: boolean result.
class BooleanOperator : public Operator {
public:
    using Operator::Operator;
    bool BinaryResultIsBoolean(bool, bool) const override { return true; }
    bool UnaryResultIsBoolean(bool) const override { return true; }
};

// "+": sum of numbers, otherwise the joined text forms; unary it changes nothing.
class OperatorPlus : public MathOperator {
public:
    explicit OperatorPlus(std::string_view symbol) : MathOperator(1, symbol) {}
    bool IsUnary() const override { return true; }
    Value EvaluateUnary(const Environment&, const Value& operand) const override;
    Value EvaluateBinary(const Environment&, const Value& left, const Value& right) const override;
};

// "-": difference, or negation of a number.
class OperatorMinus : public MathOperator {
public:
    explicit OperatorMinus(std::string_view symbol) : MathOperator(2, symbol) {}
    bool IsUnary() const override { return true; }
    Value EvaluateUnary(const Environment&, const Value& operand) const override;
    Value EvaluateBinary(const Environment&, const Value& left, const Value& right) const override;
};

// "/": quotient; integers divide truncating toward zero.
class OperatorDivide : public MathOperator {
public:
    explicit OperatorDivide(std::string_view symbol) : MathOperator(7, symbol) {}
    Value EvaluateBinary(const Environment&, const Value& left, const Value& right) const override;
};

// "*": product.
class OperatorMultiply : public MathOperator {
public:
    explicit OperatorMultiply(std::string_view symbol) : MathOperator(8, symbol) {}
    Value EvaluateBinary(const Environment&, const Value& left, const Value& right) const override;
};

// "%": remainder of two integers, with the sign of the dividend.
class OperatorModulus : public MathOperator {
public:
    explicit OperatorModulus(std::string_view symbol) : MathOperator(9, symbol) {}
    Value EvaluateBinary(const Environment&, const Value& left, const Value& right) const override;
};

// Base of the six comparisons: numbers compare as numbers, the rest by text form.
class ComparisonOperator : public BooleanOperator {
public:
    using BooleanOperator::BooleanOperator;
    bool AcceptsOperand(bool isBoolean) const override { return !isBoolean; }
    Value EvaluateBinary(const Environment&, const Value& left, const Value& right) const override;

protected:
    // Whether an ordering result (<0, 0, >0) satisfies this comparison.
    virtual bool Holds(int order) const = 0;
};

// "==" and "=".
class OperatorEqualTo : public ComparisonOperator {
public:
    explicit OperatorEqualTo(std::string_view symbol) : ComparisonOperator(11, symbol) {}
    bool AcceptsOperand(bool) const override { return true; }
    Value EvaluateBinary(const Environment&, const Value& left, const Value& right) const override;

protected:
    bool Holds(int order) const override { return order == 0; }
};

// ">=".
class OperatorGreaterEqual : public ComparisonOperator {
public:
    explicit OperatorGreaterEqual(std::string_view symbol) : ComparisonOperator(12, symbol) {}

protected:
    bool Holds(int order) const override { return order >= 0; }
};

// "<=".
class OperatorLessEqual : public ComparisonOperator {
public:
    explicit OperatorLessEqual(std::string_view symbol) : ComparisonOperator(13, symbol) {}

protected:
    bool Holds(int order) const override { return order <= 0; }
};

// "<".
class OperatorLessThan : public ComparisonOperator {
public:
    explicit OperatorLessThan(std::string_view symbol) : ComparisonOperator(14, symbol) {}

protected:
    bool Holds(int order) const override { return order < 0; }
};

// ">".
class OperatorGreaterThan : public ComparisonOperator {
public:
    explicit OperatorGreaterThan(std::string_view symbol) : ComparisonOperator(15, symbol) {}

protected:
    bool Holds(int order) const override { return order > 0; }
};

// "!=" and "<>".
class OperatorNotEqual : public ComparisonOperator {
public:
    explicit OperatorNotEqual(std::string_view symbol) : ComparisonOperator(16, symbol) {}
    bool AcceptsOperand(bool) const override { return true; }
    Value EvaluateBinary(const Environment&, const Value& left, const Value& right) const override;

protected:
    bool Holds(int order) const override { return order != 0; }
};

// "!" and "not".
class OperatorLogicalNot : public BooleanOperator {
public:
    explicit OperatorLogicalNot(std::string_view symbol) : BooleanOperator(17, symbol) {}
    bool IsBinary() const override { return false; }
    bool IsUnary() const override { return true; }
    bool AcceptsOperand(bool isBoolean) const override { return isBoolean; }
    Value EvaluateUnary(const Environment&, const Value& operand) const override;
};

// "&&", "&" and "and"; no short circuit.
class OperatorLogicalAnd : public BooleanOperator {
public:
    explicit OperatorLogicalAnd(std::string_view symbol) : BooleanOperator(20, symbol) {}
    bool AcceptsOperand(bool isBoolean) const override { return isBoolean; }
    Value EvaluateBinary(const Environment&, const Value& left, const Value& right) const override;
};

// "||", "|" and "or"; no short circuit.
class OperatorLogicalOr : public BooleanOperator {
public:
    explicit OperatorLogicalOr(std::string_view symbol) : BooleanOperator(21, symbol) {}
    bool AcceptsOperand(bool isBoolean) const override { return isBoolean; }
    Value EvaluateBinary(const Environment&, const Value& left, const Value& right) const override;
};

// The operator class of a type code; throws SyntaxError "Unknown operator type: " + symbol
// for codes without one ("^^", "->").
std::unique_ptr<Operator> CreateOperator(int type, std::string_view symbol);

}  // namespace tw
