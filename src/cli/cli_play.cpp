// talkwright-cli play: the dialogue tester in a terminal.

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>

#include "cli/command_entry_points.h"
#include "cli/terminal_player.h"
#include "model/dialogue.h"
#include "base/windows1252.h"
#include "base/byte_string.h"
#include "script/script_errors.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"
#include "tester/state_editor.h"
#include "tester/state_file_reader.h"
#include "tester/test_session.h"

namespace tw::cli {
namespace {

struct PlayOptions {
    std::string file;
    std::optional<std::string> state;
    std::optional<std::uint32_t> seed;
    std::optional<std::string> input;
    std::optional<std::string> transcript;
    std::optional<std::string> start;
};

std::optional<std::uint32_t> ParseSeed(std::string_view text) {
    if (text.empty() || text.size() > 10 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c); })) {
        return std::nullopt;
    }
    const unsigned long long seed = std::stoull(std::string(text));
    if (seed > 0xFFFFFFFFull) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(seed);
}

// Answers false on a usage error.
bool ParseOptions(std::span<const std::string_view> args, PlayOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--state" && hasValue) {
            options.state = std::string(args[++i]);
        } else if (arg == "--seed" && hasValue) {
            options.seed = ParseSeed(args[++i]);
            if (!options.seed) {
                return false;
            }
        } else if (arg == "--input" && hasValue) {
            options.input = std::string(args[++i]);
        } else if (arg == "--start" && hasValue) {
            options.start = std::string(args[++i]);
        } else if (arg == "--transcript" && hasValue) {
            options.transcript = std::string(args[++i]);
        } else if (arg.starts_with("--") || !options.file.empty()) {
            return false;
        } else {
            options.file = std::string(arg);
        }
    }
    return !options.file.empty();
}

int Fail(std::ostream& err, const std::string& message) {
    err << "talkwright-cli play: " << message << '\n';
    return kExitFailure;
}

int Play(const Invocation& invocation, const PlayOptions& options) {
    Dialogue dialogue;
    if (const std::optional<std::string> error =
            dialogue.Load(options.file, invocation.limits.dialogueBytes)) {
        return Fail(invocation.err, options.file + ": " + *error);
    }
    DialogueNode* start = &dialogue.Root();
    if (options.start) {
        const std::string name = Utf8ToWindows1252(*options.start).value_or(*options.start);
        start = dialogue.FindNodeByName(name);
        if (start == nullptr) {
            return Fail(invocation.err, options.file + ": no node named '" + *options.start + "'");
        }
    }
    std::filesystem::path stateFile =
        options.state ? std::filesystem::path(*options.state)
                      : std::filesystem::current_path() / std::string(kDefaultStateFileName);
    if (options.state) {
        const StateFileText state = ReadStateFile(stateFile, invocation.limits.stateFileBytes);
        if (state.refused) {
            return Fail(invocation.err, *options.state + ": " + *state.error);
        }
        if (state.error) {
            return Fail(invocation.err, "cannot read state file '" + *options.state + "'");
        }
    }
    std::ifstream script;
    if (options.input && !(script = std::ifstream(*options.input, std::ios::binary))) {
        return Fail(invocation.err, "cannot read input script '" + *options.input + "'");
    }
    std::ofstream transcript;
    if (options.transcript &&
        !(transcript = std::ofstream(*options.transcript, std::ios::binary | std::ios::trunc))) {
        return Fail(invocation.err, "cannot create transcript '" + *options.transcript + "'");
    }
    RandomSource random =
        options.seed ? RandomSource(*options.seed) : RandomSource::SeededWithTime();
    PartySettings party;
    TerminalPlayer player(options.input ? script : invocation.in, invocation.out,
                          options.transcript ? &transcript : nullptr, options.input.has_value(),
                          std::move(stateFile));
    player.SetMaxLineBytes(invocation.limits.lineBytes);
    player.SetMaxStateFileBytes(invocation.limits.stateFileBytes);
    TestSession session(dialogue, party, random, player, player);
    // As the compile window does before a test, every syntax error is listed and the test
    // does not start.
    for (const std::string& error : session.CompileErrors()) {
        invocation.err << options.file << ": " << error << '\n';
    }
    if (!session.CompileErrors().empty()) {
        return kExitFailure;
    }
    if (options.start) {
        player.PlayFrom(session, *start);
    } else {
        player.Play(session);
    }
    if (player.InputError()) {
        const std::string input = options.input ? *options.input : "standard input";
        return Fail(invocation.err, input + ": " + *player.InputError());
    }
    if (options.transcript && !transcript.flush()) {
        return Fail(invocation.err, "cannot write transcript '" + *options.transcript + "'");
    }
    return kExitOk;
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
