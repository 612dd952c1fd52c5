// talkwright-cli script: runs script lines as statements or evaluates them as conditions
// against one environment, reporting each event on its own line.

#include <algorithm>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_string.h"
#include "cli/command_entry_points.h"
#include "cli/input_text.h"
#include "cli/line_reader.h"
#include "cli/regular_input_stream.h"
#include "cli/shown_path.h"
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

// What a run of the lines found: whether a line failed, and the input error that stopped it.
struct LinesResult {
    bool ok = true;
    std::optional<std::string> inputError;
};

LinesResult RunLines(LineReader& lines, const ScriptOptions& options, Environment& environment,
                     std::ostream& out) {
    bool failed = false;
    std::string line;
    LineReader::Status status;
    while ((status = lines.Next(line)) == LineReader::Status::kLine) {
        const std::optional<std::string> event = options.expressions
                                                     ? EvaluateLine(line, environment, failed)
                                                     : RunStatement(line, environment, failed);
        if (event) {
            out << lines.LineNumber() << ": " << *event << '\n';
        }
    }
    if (status == LineReader::Status::kTooLong) {
        return {false, lines.TooLongMessage()};
    }
    return {!failed, std::nullopt};
}

// Reads the --state file; false (with the message) when it is unreadable or too large.
bool ReadState(const Invocation& invocation, const std::string& path, std::string& text) {
    InputText state =
        ReadInputText(path, invocation.in, invocation.limits.stateFileBytes, "a state file");
    if (state.error) {
        invocation.err << "talkwright-cli script: "
                       << (state.refused ? ShownPath(path) + ": " + *state.error
                                         : "cannot read " + ShownPath(path))
                       << '\n';
        return false;
    }
    text = std::move(state.text);
    return true;
}

// The input file, or nothing when it is "-" (standard input); why it can't be read.
std::optional<std::string> OpenInput(const std::string& path, std::ifstream& file) {
    if (path == "-") {
        return std::nullopt;
    }
    switch (OpenRegularInput(path, file)) {
        case RegularFileOpen::kOpened:
            return std::nullopt;
        case RegularFileOpen::kNotRegular:
            return ShownPath(path) + ": " + NotRegularFileMessage("input");
        default:
            return "cannot read " + ShownPath(path);
    }
}

}  // namespace

int RunScriptCommand(const Invocation& invocation) {
    const std::optional<ScriptOptions> options = ParseOptions(invocation);
    if (!options) {
        return PrintCommandUsage(invocation.err, "script");
    }
    std::string stateText;
    if (options->stateFile && !ReadState(invocation, *options->stateFile, stateText)) {
        return kExitUsage;
    }
    std::ifstream file;
    if (const std::optional<std::string> error = OpenInput(options->input, file)) {
        invocation.err << "talkwright-cli script: " << *error << '\n';
        return kExitUsage;
    }
    Environment environment;
    const bool stateOk = !options->stateFile || LoadState(stateText, environment, invocation.err);
    LineReader lines(file.is_open() ? file : invocation.in, invocation.limits.lineBytes);
    const LinesResult result = RunLines(lines, *options, environment, invocation.out);
    if (result.inputError) {
        const std::string name =
            options->input == "-" ? "standard input" : ShownPath(options->input);
        invocation.err << "talkwright-cli script: " << name << ": " << *result.inputError << '\n';
        return kExitFailure;
    }
    invocation.out << "--\n" << WriteStateText(environment);
    return result.ok && stateOk ? kExitOk : kExitFailure;
}

}  // namespace tw::cli
