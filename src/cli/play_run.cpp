#include "cli/play_run.h"

#include <algorithm>
#include <ostream>

#include "base/byte_string.h"
#include "base/windows1252.h"
#include "cli/dialogue_input.h"
#include "cli/shown_path.h"
#include "cli/terminal_player.h"
#include "model/dialogue.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"
#include "tester/state_file_reader.h"
#include "tester/test_session.h"

namespace tw::cli {

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

PlayRun::PlayRun(std::string messagePrefix, PlaySetup setup, std::ostream& err,
                 const InputLimits& limits)
    : prefix_(std::move(messagePrefix)), setup_(std::move(setup)), err_(err), limits_(limits) {
    ready_ = Prepare();
}

int PlayRun::Fail(const std::string& message) {
    err_ << prefix_ << message << '\n';
    return kExitFailure;
}

bool PlayRun::Prepare() {
    if (const std::optional<std::string> error =
            LoadDialogueOrJson(setup_.dialogue, dialogue_, limits_.dialogueBytes)) {
        Fail(ShownPath(setup_.dialogue) + ": " + *error);
        return false;
    }
    start_ = &dialogue_.Root();
    if (setup_.start) {
        const std::string name = Utf8ToWindows1252(*setup_.start).value_or(*setup_.start);
        start_ = dialogue_.FindNodeByName(name);
        if (start_ == nullptr) {
            Fail(ShownPath(setup_.dialogue) + ": no node named '" + *setup_.start + "'");
            return false;
        }
    }
    if (setup_.state) {
        const StateFileText state = ReadStateFile(*setup_.state, limits_.stateFileBytes);
        if (state.refused) {
            Fail(ShownPath(*setup_.state) + ": " + *state.error);
            return false;
        }
        if (state.error) {
            Fail("cannot read state file '" + ShownPath(*setup_.state) + "'");
            return false;
        }
    }
    return true;
}

int PlayRun::Play(const PlayStreams& streams) {
    if (!ready_) {
        return kExitFailure;
    }
    std::filesystem::path stateFile =
        setup_.state ? std::filesystem::path(*setup_.state) : setup_.defaultStateFile;
    RandomSource random = setup_.seed ? RandomSource(*setup_.seed) : RandomSource::SeededWithTime();
    PartySettings party;
    TerminalPlayer player(streams.commands, streams.out, streams.transcript, streams.echoCommands,
                          std::move(stateFile));
    player.SetMaxLineBytes(limits_.lineBytes);
    player.SetMaxStateFileBytes(limits_.stateFileBytes);
    TestSession session(dialogue_, party, random, player, player);
    // As the compile window does before a test, every syntax error is listed and the test
    // does not start.
    for (const std::string& error : session.CompileErrors()) {
        err_ << ShownPath(setup_.dialogue) << ": " << error << '\n';
    }
    if (!session.CompileErrors().empty()) {
        return kExitFailure;
    }
    if (setup_.start) {
        player.PlayFrom(session, *start_);
    } else {
        player.Play(session);
    }
    if (player.InputError()) {
        return Fail(std::string(streams.commandsName) + ": " + *player.InputError());
    }
    return kExitOk;
}

}  // namespace tw::cli
