#pragma once

// What the script language says about one field of an editing dialog while it is typed.
// These never block OK: syntax is the compile's business; they only show it early.

#include <string>
#include <string_view>

namespace tw {

struct FieldCheck {
    enum State { kEmpty, kFine, kError };
    State state = kEmpty;
    std::string message;  // the language's own message when kError
    bool operator==(const FieldCheck&) const = default;
};

// A whole statement (the manual command), parsed and checked as a command is compiled.
FieldCheck CheckStatementField(std::string_view text);

// An expression: a condition, an assigned value, a true or false value.
FieldCheck CheckExpressionField(std::string_view text);

}  // namespace tw
