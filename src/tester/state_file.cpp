#include "tester/state_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "base/byte_string.h"
#include "script/compile.h"
#include "script/excerpt.h"
#include "script/script_errors.h"
#include "script/statement.h"

namespace tw {
namespace {

// The language has no escapes, so a string holding both kinds of quote is written as a
// sum of pieces, each quoted with the kind it does not contain.
std::string QuotePieces(std::string_view text) {
    std::string result;
    while (!text.empty()) {
        const char quote = text.front() == '"' ? '\'' : '"';
        const std::size_t end = std::min(text.find(quote), text.size());
        if (!result.empty()) {
            result += " + ";
        }
        result += quote;
        result += text.substr(0, end);
        result += quote;
        text.remove_prefix(end);
    }
    return result;
}

std::string QuoteString(const std::string& text) {
    const bool hasDouble = text.find('"') != std::string::npos;
    const bool hasSingle = text.find('\'') != std::string::npos;
    if (hasDouble && hasSingle) {
        return QuotePieces(text);
    }
    const char quote = hasDouble ? '\'' : '"';
    return quote + text + quote;
}

// The message of a failing line, or nothing when it works or transfers control.
std::optional<std::string> FailureOf(Environment& environment, std::string_view line) {
    try {
        if (const std::unique_ptr<Statement> statement = CompileStatement(line)) {
            statement->Execute(environment);
        }
    } catch (const SyntaxError& e) {
        return e.GetMessage();
    } catch (const RuntimeError& e) {
        return e.GetMessage();
    } catch (const ControlFlowException&) {
    }
    return std::nullopt;
}

}  // namespace

std::string StateValueText(const Value& value) {
    if (value.GetType() == ValueType::String) {
        return QuoteString(value.GetString());
    }
    // A literal cannot exceed 2147483647, so the lowest integer is written as a difference.
    if (value.GetType() == ValueType::Integer &&
        value.GetInteger() == std::numeric_limits<std::int32_t>::min()) {
        return "-2147483647 - 1";
    }
    return value.ToString();
}

std::string StateEntryLine(std::string_view name, const Value& value) {
    const std::string prefix = IsVariableName(name) ? "" : "set ";
    return prefix + std::string(name) + " = " + StateValueText(value);
}

std::string WriteStateText(const Environment& environment) {
    std::string text;
    for (const auto& [name, value] : environment) {
        text += StateEntryLine(name, value);
        text += '\n';
    }
    return text;
}

bool ExecuteLine(Environment& environment, std::string_view line, std::string_view prefix,
                 std::string& error) {
    const std::optional<std::string> message = FailureOf(environment, line);
    if (message) {
        error = std::string(prefix) + std::string(line) + ": " + *message;
    }
    return !message;
}

void StateErrorList::Add(std::string error) {
    if (listed_.size() < kMaxListedStateErrors) {
        listed_.push_back(std::move(error));
    } else {
        ++more_;
    }
}

std::vector<std::string> StateErrorList::Take() {
    std::vector<std::string> errors = std::exchange(listed_, {});
    if (more_ > 0) {
        errors.push_back("... and " + std::to_string(std::exchange(more_, 0)) + " more");
    }
    return errors;
}

std::vector<std::string> LoadStateText(Environment& environment, std::string_view text,
                                       std::string_view linePrefix, StateErrorForm form) {
    StateErrorList errors;
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string line = Trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        const std::optional<std::string> message =
            line.empty() ? std::nullopt : FailureOf(environment, line);
        if (message) {
            const std::string quoted =
                form == StateErrorForm::kMessageOnly ? "" : Excerpt(line) + ": ";
            errors.Add(std::string(linePrefix) + FormatInt(number) + ": " + quoted + *message);
        }
    }
    return errors.Take();
}

}  // namespace tw
