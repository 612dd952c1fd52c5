#include "script/statement_kinds.h"

#include "base/byte_string.h"
#include "script/script_errors.h"

namespace tw {
namespace {

constexpr const char* kNotAssignable =
    "Result of assignment must be a string, integer, or real number";
constexpr const char* kFlagAssignment = "Assignment to flag is not allowed, use 'set' instead";
constexpr const char* kConditionNotBoolean =
    "Result of conditional expression must be a boolean value";

bool Fails(std::string& message, const char* text) {
    message = text;
    return false;
}

}  // namespace

void AssignStatement::Execute(Environment& environment) const {
    environment.Set(name_, value_->Evaluate(environment));
}

bool AssignStatement::Check(std::string& message) const {
    if (!value_->Check(message)) {
        return false;
    }
    if (value_->IsBoolean()) {
        return Fails(message, kNotAssignable);
    }
    if (!IsVariableName(name_)) {
        return Fails(message, kFlagAssignment);
    }
    return true;
}

void CAssignStatement::Execute(Environment& environment) const {
    // Only the chosen branch is evaluated.
    const Expression& chosen = condition_->Evaluate(environment).GetBoolean() ? *then_ : *else_;
    environment.Set(name_, chosen.Evaluate(environment));
}

bool CAssignStatement::Check(std::string& message) const {
    if (!condition_->Check(message)) {
        return false;
    }
    if (!condition_->IsBoolean()) {
        return Fails(message, kConditionNotBoolean);
    }
    if (!then_->Check(message) || !else_->Check(message)) {
        return false;
    }
    if (then_->IsBoolean() || else_->IsBoolean()) {
        return Fails(message, kNotAssignable);
    }
    if (!IsVariableName(name_)) {
        return Fails(message, kFlagAssignment);
    }
    return true;
}

void SetStatement::Execute(Environment& environment) const {
    environment.Set(name_, value_->Evaluate(environment));
}

bool SetStatement::Check(std::string& message) const {
    if (!value_->Check(message)) {
        return false;
    }
    if (!value_->IsBoolean()) {
        return Fails(message, "Result of 'set' must be a boolean value");
    }
    if (IsVariableName(name_)) {
        return Fails(message, "'set' statement can only be used with flags");
    }
    return true;
}

void IfStatement::Execute(Environment& environment) const {
    const Statement* chosen =
        condition_->Evaluate(environment).GetBoolean() ? then_.get() : else_.get();
    if (chosen != nullptr) {
        chosen->Execute(environment);
    }
}

bool IfStatement::Check(std::string& message) const {
    if (!condition_->Check(message)) {
        return false;
    }
    if (!condition_->IsBoolean()) {
        return Fails(message, kConditionNotBoolean);
    }
    return (!then_ || then_->Check(message)) && (!else_ || else_->Check(message));
}

void GotoStatement::Execute(Environment&) const {
    throw ControlFlowException(ControlFlowException::GOTO, node_);
}

bool GotoStatement::Check(std::string&) const {
    return true;
}

void BranchStatement::Execute(Environment&) const {
    ControlFlowException transfer(ControlFlowException::BRANCH, std::string());
    transfer.SetText(1, first_.text);
    transfer.SetText(2, first_.node);
    transfer.SetText(3, second_.text);
    transfer.SetText(4, second_.node);
    throw transfer;
}

bool BranchStatement::Check(std::string&) const {
    return true;
}

void ListStatement::Execute(Environment& environment) const {
    ControlFlowException transfer(ControlFlowException::LIST, std::string());
    std::size_t listed = 0;
    for (std::size_t i = 0; i < count_; ++i) {
        const Item& item = items_[i];
        // A condition that yields no boolean reads as false: the item is not listed.
        if (!item.condition || item.condition->Evaluate(environment).GetBoolean()) {
            transfer.SetText(2 * listed + 1, item.choice.text);
            transfer.SetText(2 * listed + 2, item.choice.node);
            ++listed;
        }
    }
    transfer.SetText(0, FormatInt(static_cast<std::int64_t>(listed)));
    throw transfer;
}

bool ListStatement::Check(std::string&) const {
    return true;
}

void ReplyStatement::Execute(Environment&) const {
    throw ControlFlowException(ControlFlowException::REPLY, name_);
}

bool ReplyStatement::Check(std::string& message) const {
    if (!IsVariableName(name_)) {
        return Fails(message, "'reply' statement can only be used with a variable (not a flag)");
    }
    return true;
}

void EndStatement::Execute(Environment&) const {
    throw ControlFlowException(ControlFlowException::END, std::string());
}

bool EndStatement::Check(std::string&) const {
    return true;
}

void RemarkStatement::Execute(Environment&) const {}

bool RemarkStatement::Check(std::string&) const {
    return true;
}

}  // namespace tw
