#pragma once

// The OK rules of the "Create Boolean Expression" dialog.

#include <array>
#include <optional>
#include <string>

namespace tw {

enum class ConditionForm { kNone, kSimple, kConjunction, kDisjunction, kComplex };

// One item of the operator box and the operator it stands for.
struct ComparisonOperator {
    const char* label;
    const char* symbol;
};

inline constexpr std::array<ComparisonOperator, 6> kComparisonOperators{{
    {"== (EQUAL)", "=="},
    {"!=  (NOT EQUAL)", "!="},
    {">   (GREATER)", ">"},
    {">= (GREATER EQ)", ">="},
    {"<   (LESS)", "<"},
    {"<= (LESS EQ)", "<="},
}};

// Everything the dialog shows, as typed.
struct ConditionFields {
    ConditionForm form = ConditionForm::kSimple;
    std::string left;
    std::size_t operatorIndex = 0;
    std::string right;
    std::string andLeft;
    std::string andRight;
    std::string orLeft;
    std::string orRight;
    std::string complex;
};

// The expression built (none when no form is chosen: the dialog closes unchanged), or the
// message that keeps the dialog open.
struct ConditionOutcome {
    std::optional<std::string> expression;
    std::string error;
};

ConditionOutcome BuildCondition(const ConditionFields& fields);

}  // namespace tw
