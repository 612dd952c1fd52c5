// talkwright-cli play: the dialogue tester in a terminal.

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>

#include "cli/command_entry_points.h"
#include "cli/play_run.h"
#include "cli/regular_input_stream.h"
#include "cli/shown_path.h"
#include "tester/state_editor.h"

namespace tw::cli {
namespace {

struct PlayOptions {
    PlaySetup setup;
    std::optional<std::string> input;
    std::optional<std::string> transcript;
};

// Answers false on a usage error.
bool ParseOptions(std::span<const std::string_view> args, PlayOptions& options) {
    PlaySetup& setup = options.setup;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--state" && hasValue) {
            setup.state = std::string(args[++i]);
        } else if (arg == "--seed" && hasValue) {
            setup.seed = ParseSeed(args[++i]);
            if (!setup.seed) {
                return false;
            }
        } else if (arg == "--input" && hasValue) {
            options.input = std::string(args[++i]);
        } else if (arg == "--start" && hasValue) {
            setup.start = std::string(args[++i]);
        } else if (arg == "--transcript" && hasValue) {
            options.transcript = std::string(args[++i]);
        } else if (arg.starts_with("--") || !setup.dialogue.empty()) {
            return false;
        } else {
            setup.dialogue = std::string(arg);
        }
    }
    return !setup.dialogue.empty();
}

int Fail(std::ostream& err, const std::string& message) {
    err << "talkwright-cli play: " << message << '\n';
    return kExitFailure;
}

int Play(const Invocation& invocation, PlayOptions& options) {
    options.setup.defaultStateFile =
        std::filesystem::current_path() / std::string(kDefaultStateFileName);
    PlayRun run("talkwright-cli play: ", std::move(options.setup), invocation.err,
                invocation.limits);
    if (!run.IsReady()) {
        return kExitFailure;
    }
    std::ifstream script;
    if (options.input) {
        const RegularFileOpen::Status opened = OpenRegularInput(*options.input, script);
        if (opened == RegularFileOpen::kNotRegular) {
            return Fail(invocation.err,
                        ShownPath(*options.input) + ": " + NotRegularFileMessage("input"));
        }
        if (opened != RegularFileOpen::kOpened) {
            return Fail(invocation.err,
                        "cannot read input script '" + ShownPath(*options.input) + "'");
        }
    }
    std::ofstream transcript;
    if (options.transcript &&
        !(transcript = std::ofstream(*options.transcript, std::ios::binary | std::ios::trunc))) {
        return Fail(invocation.err,
                    "cannot create transcript '" + ShownPath(*options.transcript) + "'");
    }
    const std::string commandsName = options.input ? ShownPath(*options.input) : "standard input";
    const PlayStreams streams{options.input ? script : invocation.in, commandsName,
                              options.input.has_value(), invocation.out,
                              options.transcript ? &transcript : nullptr};
    const int status = run.Play(streams);
    if (status == kExitOk && options.transcript && !transcript.flush()) {
        return Fail(invocation.err,
                    "cannot write transcript '" + ShownPath(*options.transcript) + "'");
    }
    return status;
}

}  // namespace

int RunPlayCommand(const Invocation& invocation) {
    PlayOptions options;
    if (!ParseOptions(invocation.args, options)) {
        return PrintCommandUsage(invocation.err, "play");
    }
    return Play(invocation, options);
}

}  // namespace tw::cli
