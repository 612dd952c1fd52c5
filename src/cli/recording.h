#pragma once

// A recorded playthrough, NAME.play: the input lines `play --input` takes, with the run's
// setting on "#!" header lines, which the player itself skips as comments:
//
//     #! dialogue: ../samples/innkeeper.vrx     (required; paths relative to the file)
//     #! seed: 1                                (0 to 4294967295; 1 when left out)
//     #! start: Welcome                         (a node, as play --start NODE)
//     #! state: walk.state.txt                  (as play --state FILE)

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/input_limits.h"

namespace tw::cli {

struct Recording {
    std::string dialogue;
    std::uint32_t seed = 1;
    std::optional<std::string> start;
    std::optional<std::string> state;
};

struct RecordingHeader {
    Recording recording;
    std::optional<std::string> error;  // "line N: ..."; recording is then to be discarded
};

// Reads the header lines of a recording's text: lines split on LF with one CR removed,
// none longer than maxLineBytes. Any bytes at all give a recording or an error.
RecordingHeader ReadRecordingHeader(std::string_view text,
                                    std::uint64_t maxLineBytes = kMaxInputLineBytes);

}  // namespace tw::cli
