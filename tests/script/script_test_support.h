#pragma once

// Shortcuts for compiling and running script lines in tests.

#include <string>
#include <string_view>

#include "script/compile.h"
#include "script/environment.h"
#include "script/script_errors.h"
#include "script/value.h"

namespace tw::test {

// The SyntaxError message of compiling a statement line, or "" when it compiles.
inline std::string CompileError(std::string_view line) {
    try {
        CompileStatement(line);
    } catch (const SyntaxError& e) {
        return e.GetMessage();
    }
    return {};
}

// The SyntaxError message of parsing a condition line, or "" when it parses.
inline std::string ConditionError(std::string_view line) {
    try {
        ParseCondition(line);
    } catch (const SyntaxError& e) {
        return e.GetMessage();
    }
    return {};
}

// Parses and evaluates a condition line; the line must parse.
inline Value Evaluate(std::string_view line, const Environment& environment = {}) {
    return ParseCondition(line)->Evaluate(environment);
}

// The RuntimeError message of evaluating a condition line, or "" when none is raised.
inline std::string EvaluateError(std::string_view line, const Environment& environment = {}) {
    try {
        Evaluate(line, environment);
    } catch (const RuntimeError& e) {
        return e.GetMessage();
    }
    return {};
}

// Compiles and runs one statement, answering the transfer it raises (kind -1 for none).
inline ControlFlowException RunLine(std::string_view line, Environment& environment) {
    try {
        if (const auto statement = CompileStatement(line)) {
            statement->Execute(environment);
        }
    } catch (const ControlFlowException& transfer) {
        return transfer;
    }
    return ControlFlowException(-1, "");
}

}  // namespace tw::test
