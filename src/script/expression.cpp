#include "script/expression.h"

#include <algorithm>

#include "base/byte_string.h"
#include "script/operators.h"

namespace tw {
namespace {

std::string KindWord(bool isBoolean) {
    return isBoolean ? "boolean" : "non-boolean";
}

std::string NotAcceptedMessage(const Operator& op, bool isBoolean) {
    return "'" + op.GetSymbol() + "' operator can not be applied to " + KindWord(isBoolean) +
           " values";
}

}  // namespace

Value ExprConstant::Evaluate(const Environment&) const {
    return value_;
}

bool ExprConstant::Check(std::string&) const {
    return true;
}

ExprVariable::ExprVariable(std::string_view name) : name_(Trim(name)) {}

Value ExprVariable::Evaluate(const Environment& environment) const {
    if (environment.IsDefined(name_)) {
        return environment.Get(name_);
    }
    // Absent variables read as 0, absent flags as false.
    return IsVariableName(name_) ? Value(0) : Value(false);
}

bool ExprVariable::Check(std::string&) const {
    return true;
}

bool ExprVariable::IsBoolean() const {
    return !IsVariableName(name_);
}

ExprUnary::ExprUnary(std::unique_ptr<Operator> op, std::unique_ptr<Expression> operand)
    : operator_(std::move(op)), operand_(std::move(operand)), depth_(operand_->Depth() + 1) {}

ExprUnary::~ExprUnary() = default;

Value ExprUnary::Evaluate(const Environment& environment) const {
    return operator_->EvaluateUnary(environment, operand_->Evaluate(environment));
}

bool ExprUnary::Check(std::string& message) const {
    if (!operand_->Check(message)) {
        return false;
    }
    if (!operator_->IsUnary()) {
        message = "'" + operator_->GetSymbol() + "' is not a unary operator";
        return false;
    }
    if (!operator_->AcceptsOperand(operand_->IsBoolean())) {
        message = NotAcceptedMessage(*operator_, operand_->IsBoolean());
        return false;
    }
    return true;
}

bool ExprUnary::IsBoolean() const {
    return operator_->UnaryResultIsBoolean(operand_->IsBoolean());
}

ExprBinary::ExprBinary(std::unique_ptr<Operator> op, std::unique_ptr<Expression> left,
                       std::unique_ptr<Expression> right)
    : operator_(std::move(op)),
      left_(std::move(left)),
      right_(std::move(right)),
      depth_(std::max(left_->Depth(), right_->Depth()) + 1) {}

ExprBinary::~ExprBinary() = default;

Value ExprBinary::Evaluate(const Environment& environment) const {
    const Value left = left_->Evaluate(environment);
    const Value right = right_->Evaluate(environment);
    return operator_->EvaluateBinary(environment, left, right);
}

bool ExprBinary::Check(std::string& message) const {
    if (!left_->Check(message) || !right_->Check(message)) {
        return false;
    }
    const bool isBoolean = left_->IsBoolean();
    if (isBoolean != right_->IsBoolean()) {
        message = "Binary operator '" + operator_->GetSymbol() +
                  "' can not be applied to different operand types";
        return false;
    }
    if (!operator_->IsBinary()) {
        message = "'" + operator_->GetSymbol() + "' is not a binary operator";
        return false;
    }
    if (!operator_->AcceptsOperand(isBoolean)) {
        message = NotAcceptedMessage(*operator_, isBoolean);
        return false;
    }
    return true;
}

bool ExprBinary::IsBoolean() const {
    return operator_->BinaryResultIsBoolean(left_->IsBoolean(), right_->IsBoolean());
}

}  // namespace tw
