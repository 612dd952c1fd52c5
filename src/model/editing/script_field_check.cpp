#include "model/editing/script_field_check.h"

#include "base/byte_string.h"
#include "script/compile.h"
#include "script/script_errors.h"

namespace tw {
namespace {

FieldCheck Fault(std::string message) {
    return FieldCheck{FieldCheck::kError, std::move(message)};
}

}  // namespace

FieldCheck CheckStatementField(std::string_view text) {
    if (Trim(text).empty()) {
        return {};
    }
    try {
        CompileStatement(text);
    } catch (const SyntaxError& error) {
        return Fault(error.GetMessage());
    }
    return FieldCheck{FieldCheck::kFine, {}};
}

FieldCheck CheckExpressionField(std::string_view text) {
    if (Trim(text).empty()) {
        return {};
    }
    try {
        const std::unique_ptr<Expression> expression = ParseCondition(text);
        std::string message;
        if (expression && !expression->Check(message)) {
            return Fault(message);
        }
    } catch (const SyntaxError& error) {
        return Fault(error.GetMessage());
    }
    return FieldCheck{FieldCheck::kFine, {}};
}

}  // namespace tw
