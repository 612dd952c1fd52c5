#pragma once

#include <memory>
#include <string_view>

#include "script/expression.h"
#include "script/statement.h"

namespace tw {

// Parses and checks one statement line. A failed check throws SyntaxError with the check's
// message; a line without tokens gives null.
std::unique_ptr<Statement> CompileStatement(std::string_view line);

// Parses a whole line as a response condition (not checked); null for a line without
// tokens. Throws SyntaxError.
std::unique_ptr<Expression> ParseCondition(std::string_view line);

}  // namespace tw
