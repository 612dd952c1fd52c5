#pragma once

// What the tester keeps of a run to step back over one choice or typed reply: the run
// state and the shown window content just before it, and where the environment's undo log
// stood.

#include <cstddef>
#include <string>
#include <vector>

#include "tester/run_state.h"

namespace tw {

struct RunStep {
    std::string nodeName;  // the node the choice was made in
    std::string choice;    // the chosen row or the typed reply
    RunState state;
    std::vector<std::string> messages;
    std::string shownText;
    bool textIsRich = false;
    std::string lastResponse;
    std::size_t journalMark = 0;
};

}  // namespace tw
