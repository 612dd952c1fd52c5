// talkwright-cli script: runs script lines as statements or evaluates them as conditions
// against one environment, reporting each event on its own line.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_entry_points.h"
#include "script/byte_string.h"
#include "script/compile.h"
#include "script/script_errors.h"
#include "tester/state_file.h"

namespace tw::cli {
namespace {

struct ScriptOptions {
    bool expressions = false;
    std::optional<std::string> stateFile;
    std::string input = "-";
};

std::optional<ScriptOptions> ParseOptions(const Invocation& invocation) {
    ScriptOptions options;
    bool haveInput = false;
    const auto& args = invocation.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--expressions") {
            options.expressions = true;
        } else if (arg == "--state" && i + 1 < args.size()) {
            options.stateFile = std::string(args[++i]);
        } else if ((arg.size() > 1 && arg.front() == '-') || haveInput) {
            invocation.err << "talkwright-cli script: unexpected argument '" << arg << "'\n";
            return std::nullopt;
        } else {
            options.input = std::string(arg);
            haveInput = true;
        }
    }
    return options;
}

std::optional<std::string> ReadAll(std::istream& in) {
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return std::move(text).str();
}

std::optional<std::string> ReadInput(const std::string& path, const Invocation& invocation) {
    if (path == "-") {
        return ReadAll(invocation.in);
    }
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return ReadAll(file);
}

// Lines split on LF, one trailing CR removed; a final LF does not start another line.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

std::string DescribeTransfer(const ControlFlowException& transfer) {
    switch (transfer.GetKind()) {
        case ControlFlowException::END:
            return "END";
        case ControlFlowException::GOTO:
            return "GOTO " + transfer.GetFirstText();
        case ControlFlowException::REPLY:
            return "REPLY " + transfer.GetFirstText();
        case ControlFlowException::BRANCH:
            return "BRANCH " + transfer.GetText(1) + " | " + transfer.GetText(2) + " | " +
                   transfer.GetText(3) + " | " + transfer.GetText(4);
        default:
            break;
    }
    std::string text = "LIST " + transfer.GetFirstText();
    const std::size_t count = static_cast<std::size_t>(StrToLong32(transfer.GetFirstText()));
    for (std::size_t i = 1; i <= 2 * count; ++i) {
        text += " | " + transfer.GetText(i);
    }
    return text;
}

// Runs one statement line; answers the event to report, if any, and whether it is an error.
std::optional<std::string> RunStatement(std::string_view line, Environment& environment,
                                        bool& failed) {
    try {
        if (const auto statement = CompileStatement(line)) {
            statement->Execute(environment);
        }
        return std::nullopt;
    } catch (const SyntaxError& e) {
        failed = true;
        return "Syntax Error: " + e.GetMessage();
    } catch (const RuntimeError& e) {
        failed = true;
        return "Runtime Error: " + e.GetMessage();
    } catch (const ControlFlowException& transfer) {
        return DescribeTransfer(transfer);
    }
}

std::optional<std::string> EvaluateLine(std::string_view line, const Environment& environment,
                                        bool& failed) {
    try {
        const auto expression = ParseCondition(line);
        if (!expression) {
            return std::nullopt;
        }
        const Value value = expression->Evaluate(environment);
        return std::string(ValueTypeName(value.GetType())) + " " + value.ToString();
    } catch (const SyntaxError& e) {
        failed = true;
        return "Syntax Error: " + e.GetMessage();
    } catch (const RuntimeError& e) {
        failed = true;
        return "Runtime Error: " + e.GetMessage();
    }
}

// Loads the state file; answers false when a line failed (each reported on err).
bool LoadState(const std::string& text, Environment& environment, std::ostream& err) {
    const std::vector<std::string> errors =
        LoadStateText(environment, text, "state ", StateErrorForm::kMessageOnly);
    for (const std::string& error : errors) {
        err << error << '\n';
    }
    return errors.empty();
}

bool RunLines(std::string_view text, const ScriptOptions& options, Environment& environment,
              std::ostream& out) {
    bool failed = false;
    std::size_t number = 0;
    for (const std::string_view line : SplitLines(text)) {
        ++number;
        const std::optional<std::string> event = options.expressions
                                                     ? EvaluateLine(line, environment, failed)
                                                     : RunStatement(line, environment, failed);
        if (event) {
            out << number << ": " << *event << '\n';
        }
    }
    return !failed;
}

}  // namespace

int RunScriptCommand(const Invocation& invocation) {
    const std::optional<ScriptOptions> options = ParseOptions(invocation);
    if (!options) {
        return PrintCommandUsage(invocation.err, "script");
    }
    std::optional<std::string> stateText;
    if (options->stateFile) {
        stateText = ReadInput(*options->stateFile, invocation);
        if (!stateText) {
            invocation.err << "talkwright-cli script: cannot read " << *options->stateFile << '\n';
            return kExitUsage;
        }
    }
    const std::optional<std::string> input = ReadInput(options->input, invocation);
    if (!input) {
        invocation.err << "talkwright-cli script: cannot read " << options->input << '\n';
        return kExitUsage;
    }
    Environment environment;
    bool ok = !stateText || LoadState(*stateText, environment, invocation.err);
    ok = RunLines(*input, *options, environment, invocation.out) && ok;
    invocation.out << "--\n" << WriteStateText(environment);
    invocation.out.flush();
    return ok ? kExitOk : kExitFailure;
}

}  // namespace tw::cli
