#pragma once

// What the tester keeps of a run to step back over one choice or typed reply: the run
// state and the shown window content just before it, and where the environment's undo log
// and the random numbers stood. Nodes are referred to, never copied.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tester/test_engine.h"

namespace tw {

struct RunStep {
    std::string nodeName;  // the node the choice was made in
    std::string choice;    // the chosen row or the typed reply
    DialogueNode* node = nullptr;
    std::vector<OfferedResponse> shownResponses;
    std::vector<OfferedResponse> savedResponses;
    std::vector<std::string> rows;
    std::vector<std::string> messages;
    std::string shownText;
    bool textIsRich = false;
    std::string lastResponse;
    bool gotoPending = false;
    DialogueNode* gotoNode = nullptr;
    bool branchArmed = false;
    std::array<DialogueNode*, 2> branchNodes{};
    bool listStarted = false;
    bool listActive = false;
    DialogueNode* listExitNode = nullptr;
    bool awaitingReply = false;
    std::string replyVariable;
    const NodeCommand* replyCommand = nullptr;
    bool nodeTextEmpty = false;
    std::size_t journalMark = 0;
    std::uint32_t randomState = 0;
};

}  // namespace tw
