#include "model/editing/condition_dialog_rules.h"

#include "base/byte_string.h"

namespace tw {
namespace {

// A side with blanks in it is an expression of its own: it is bracketed so that the
// operator between the sides binds last.
std::string Side(const std::string& text) {
    return ContainsWhiteSpace(text) ? "(" + text + ")" : text;
}

ConditionOutcome Join(const std::string& left, const std::string& right, const std::string& op,
                      const char* message) {
    const std::string a = Trim(left);
    const std::string b = Trim(right);
    if (a.empty() || b.empty()) {
        return ConditionOutcome{std::nullopt, message};
    }
    return ConditionOutcome{Side(a) + " " + op + " " + Side(b), {}};
}

}  // namespace

ConditionOutcome BuildCondition(const ConditionFields& fields) {
    switch (fields.form) {
        case ConditionForm::kSimple: {
            const std::size_t index =
                fields.operatorIndex < kComparisonOperators.size() ? fields.operatorIndex : 0;
            return Join(fields.left, fields.right, kComparisonOperators[index].symbol,
                        "Both sides of the expression must contain values (constants, "
                        "variables, flags, or complex expressions)");
        }
        case ConditionForm::kConjunction:
            return Join(fields.andLeft, fields.andRight, "AND",
                        "Both sides of the AND must contain boolean expressions");
        case ConditionForm::kDisjunction:
            return Join(fields.orLeft, fields.orRight, "OR",
                        "Both sides of the OR must contain boolean expressions");
        case ConditionForm::kComplex: {
            std::string text = Trim(fields.complex);
            if (text.empty()) {
                return ConditionOutcome{std::nullopt, "You must enter a boolean expression"};
            }
            return ConditionOutcome{std::move(text), {}};
        }
        case ConditionForm::kNone:
            break;
    }
    return {};
}

}  // namespace tw
