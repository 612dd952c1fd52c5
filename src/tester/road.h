#pragma once

// A road through a test, as `play` input lines: the rows chosen ("2", counted from 1), the
// replies typed ("say TEXT", "say" for an empty one) and the answers to the runtime-error
// questions a step raised ("yes", "no", after that step). The editor's tester replays a road
// and records one as the writer plays.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/message_boxes.h"

namespace tw {

struct RoadStep {
    bool isReply = false;
    std::size_t row = 0;  // from 0, when a row is chosen
    std::string reply;
    // The answers to the questions the step raises, in the order they are asked.
    std::vector<MessageAnswer> answers;
};

struct Road {
    std::vector<MessageAnswer> startAnswers;  // the questions the start of the test raises
    std::vector<RoadStep> steps;
};

// Nothing when a line is none of the forms above.
std::optional<Road> ParseRoad(const std::vector<std::string>& lines);

// The input line that answers a question, for a recording: "yes", "no", "ok", "cancel".
std::string AnswerLine(MessageAnswer answer);

// The text of a recorded playthrough (NAME.play) that `talkwright-cli test` replays: the
// run's setting on "#!" header lines, then the input lines.
struct RecordingSetting {
    std::string dialogue;  // the dialogue file, relative to the recording where it can be
    std::uint32_t seed = 1;
    std::string start;  // a node to start at, or none
};
std::string RecordingText(const RecordingSetting& setting, const std::vector<std::string>& lines);

}  // namespace tw
