#include "script/operators.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "base/byte_string.h"
#include "script/operator_table.h"
#include "script/script_errors.h"

namespace tw {
namespace {

using Int = std::int32_t;
using UInt = std::uint32_t;

// 32-bit two's-complement arithmetic without signed overflow.
Int WrapAdd(Int a, Int b) {
    return static_cast<Int>(static_cast<UInt>(a) + static_cast<UInt>(b));
}
Int WrapSubtract(Int a, Int b) {
    return static_cast<Int>(static_cast<UInt>(a) - static_cast<UInt>(b));
}
Int WrapMultiply(Int a, Int b) {
    return static_cast<Int>(static_cast<UInt>(a) * static_cast<UInt>(b));
}
Int WrapNegate(Int a) {
    return static_cast<Int>(UInt{0} - static_cast<UInt>(a));
}
// The one overflowing quotient, kIntMin / -1, wraps back to kIntMin.
Int WrapDivide(Int a, Int b) {
    return b == -1 ? WrapNegate(a) : a / b;
}
Int WrapRemainder(Int a, Int b) {
    return b == -1 ? 0 : a % b;
}

bool IsString(const Value& v) {
    return v.GetType() == ValueType::String;
}
bool IsInteger(const Value& v) {
    return v.GetType() == ValueType::Integer;
}
bool IsReal(const Value& v) {
    return v.GetType() == ValueType::Real;
}
bool BothInteger(const Value& a, const Value& b) {
    return IsInteger(a) && IsInteger(b);
}
bool BothNumeric(const Value& a, const Value& b) {
    return a.IsNumeric() && b.IsNumeric();
}

template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

Value Operator::EvaluateUnary(const Environment&, const Value&) const {
    return Value();
}

Value Operator::EvaluateBinary(const Environment&, const Value&, const Value&) const {
    return Value();
}

Value OperatorPlus::EvaluateUnary(const Environment&, const Value& operand) const {
    return operand;
}

Value OperatorPlus::EvaluateBinary(const Environment&, const Value& left,
                                   const Value& right) const {
    if (!IsString(left) && !IsString(right) && BothNumeric(left, right)) {
        if (BothInteger(left, right)) {
            return Value(WrapAdd(left.GetInteger(), right.GetInteger()));
        }
        return Value(left.AsReal() + right.AsReal());
    }
    return Value(left.ToString() + right.ToString());
}

Value OperatorMinus::EvaluateUnary(const Environment&, const Value& operand) const {
    if (IsReal(operand)) {
        return Value(-operand.GetReal());
    }
    if (IsInteger(operand)) {
        return Value(WrapNegate(operand.GetInteger()));
    }
    return operand;
}

Value OperatorMinus::EvaluateBinary(const Environment&, const Value& left,
                                    const Value& right) const {
    if (IsString(left) || IsString(right)) {
        throw RuntimeError("Subtraction operator applied to string type");
    }
    if (!BothNumeric(left, right)) {
        return Value();
    }
    if (BothInteger(left, right)) {
        return Value(WrapSubtract(left.GetInteger(), right.GetInteger()));
    }
    return Value(left.AsReal() - right.AsReal());
}

Value OperatorMultiply::EvaluateBinary(const Environment&, const Value& left,
                                       const Value& right) const {
    if (IsString(left) || IsString(right)) {
        throw RuntimeError("Multiplication operator applied to string type");
    }
    if (!BothNumeric(left, right)) {
        return Value();
    }
    if (BothInteger(left, right)) {
        return Value(WrapMultiply(left.GetInteger(), right.GetInteger()));
    }
    return Value(left.AsReal() * right.AsReal());
}

Value OperatorDivide::EvaluateBinary(const Environment&, const Value& left,
                                     const Value& right) const {
    if ((IsInteger(right) && right.GetInteger() == 0) ||
        (IsReal(right) && right.GetReal() == 0.0)) {
        throw RuntimeError("Division by zero");
    }
    if (IsString(left) || IsString(right)) {
        throw RuntimeError("Division operator applied to string type");
    }
    if (!BothNumeric(left, right)) {
        return Value();
    }
    if (BothInteger(left, right)) {
        return Value(WrapDivide(left.GetInteger(), right.GetInteger()));
    }
    return Value(left.AsReal() / right.AsReal());
}

Value OperatorModulus::EvaluateBinary(const Environment&, const Value& left,
                                      const Value& right) const {
    if (IsInteger(right) && right.GetInteger() == 0) {
        throw RuntimeError("Division by zero (modulus)");
    }
    if (IsReal(right) || IsReal(left)) {
        throw RuntimeError("Modulus operator applied to non-integer number");
    }
    if (IsString(left) || IsString(right)) {
        throw RuntimeError("Modulus operator applied to string type");
    }
    // Booleans and invalid values have no integer to divide.
    if (!BothInteger(left, right)) {
        return Value();
    }
    return Value(WrapRemainder(left.GetInteger(), right.GetInteger()));
}

Value ComparisonOperator::EvaluateBinary(const Environment&, const Value& left,
                                         const Value& right) const {
    if (BothInteger(left, right)) {
        return Value(Holds(Order(left.GetInteger(), right.GetInteger())));
    }
    if (BothNumeric(left, right)) {
        const double a = left.AsReal();
        const double b = right.AsReal();
        // A NaN is unordered: only "not equal" holds.
        if (std::isnan(a) || std::isnan(b)) {
            return Value(GetType() == operator_type::kNotEqual);
        }
        return Value(Holds(Order(a, b)));
    }
    return Value(Holds(CompareNoCase(left.ToString(), right.ToString())));
}

Value OperatorEqualTo::EvaluateBinary(const Environment& environment, const Value& left,
                                      const Value& right) const {
    if (left.IsBoolean() && right.IsBoolean()) {
        return Value(left.GetBoolean() == right.GetBoolean());
    }
    return ComparisonOperator::EvaluateBinary(environment, left, right);
}

Value OperatorNotEqual::EvaluateBinary(const Environment& environment, const Value& left,
                                       const Value& right) const {
    if (left.IsBoolean() && right.IsBoolean()) {
        return Value(left.GetBoolean() != right.GetBoolean());
    }
    return ComparisonOperator::EvaluateBinary(environment, left, right);
}

Value OperatorLogicalNot::EvaluateUnary(const Environment&, const Value& operand) const {
    return Value(!operand.GetBoolean());
}

Value OperatorLogicalAnd::EvaluateBinary(const Environment&, const Value& left,
                                         const Value& right) const {
    return Value(left.GetBoolean() && right.GetBoolean());
}

Value OperatorLogicalOr::EvaluateBinary(const Environment&, const Value& left,
                                        const Value& right) const {
    return Value(left.GetBoolean() || right.GetBoolean());
}

std::unique_ptr<Operator> CreateOperator(int type, std::string_view symbol) {
    namespace op = operator_type;
    switch (type) {
        case op::kPlus:
            return std::make_unique<OperatorPlus>(symbol);
        case op::kMinus:
            return std::make_unique<OperatorMinus>(symbol);
        case op::kDivide:
            return std::make_unique<OperatorDivide>(symbol);
        case op::kMultiply:
            return std::make_unique<OperatorMultiply>(symbol);
        case op::kModulus:
            return std::make_unique<OperatorModulus>(symbol);
        case op::kEqualTo:
            return std::make_unique<OperatorEqualTo>(symbol);
        case op::kGreaterEqual:
            return std::make_unique<OperatorGreaterEqual>(symbol);
        case op::kLessEqual:
            return std::make_unique<OperatorLessEqual>(symbol);
        case op::kLessThan:
            return std::make_unique<OperatorLessThan>(symbol);
        case op::kGreaterThan:
            return std::make_unique<OperatorGreaterThan>(symbol);
        case op::kNotEqual:
            return std::make_unique<OperatorNotEqual>(symbol);
        case op::kLogicalNot:
            return std::make_unique<OperatorLogicalNot>(symbol);
        case op::kLogicalAnd:
            return std::make_unique<OperatorLogicalAnd>(symbol);
        case op::kLogicalOr:
            return std::make_unique<OperatorLogicalOr>(symbol);
        default:
            throw SyntaxError("Unknown operator type: " + std::string(symbol));
    }
}

}  // namespace tw
