#pragma once

// One run of the terminal player on a dialogue, as `play` does it, for every command that
// plays dialogues: `play` itself and the recorded playthroughs of `test`.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_command.h"
#include "model/dialogue.h"

namespace tw::cli {

struct PlaySetup {
    std::string dialogue;
    std::optional<std::string> state;   // loaded instead of the default state file
    std::optional<std::uint32_t> seed;  // none: the current time
    std::optional<std::string> start;   // a node name as typed (UTF-8)
    // Loaded at the start when there is one and no state is given.
    std::filesystem::path defaultStateFile;
};

// Where the player's commands come from and where its screens go.
struct PlayStreams {
    std::istream& commands;
    std::string_view commandsName;  // for messages: "standard input" or the script's path
    bool echoCommands;              // a script: each line is written after its prompt
    std::ostream& out;
    std::ostream* transcript;  // gets what out gets, and the lines typed
};

// A dialogue made ready to play: loaded, its start node found, its state file checked.
// Messages go to err, the failures headed by messagePrefix ("talkwright-cli play: ").
class PlayRun {
public:
    PlayRun(std::string messagePrefix, PlaySetup setup, std::ostream& err,
            const InputLimits& limits);
    // False when the dialogue, the start node or the state file failed; it was said why.
    bool IsReady() const { return ready_; }
    // Compiles the dialogue and, when it compiles, plays it; answers the exit status.
    int Play(const PlayStreams& streams);

private:
    bool Prepare();
    int Fail(const std::string& message);

    std::string prefix_;
    PlaySetup setup_;
    std::ostream& err_;
    InputLimits limits_;
    Dialogue dialogue_;
    DialogueNode* start_ = nullptr;
    bool ready_ = false;
};

// A seed as typed: 0 to 4294967295 in decimal digits.
std::optional<std::uint32_t> ParseSeed(std::string_view text);

}  // namespace tw::cli
