#pragma once

// What decides what a run does next, besides its environment: the node being visited, the
// responses on offer and the modes the engine keeps with them, and where the random numbers
// stand. Nodes and commands are referred to, never copied.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

class DialogueNode;
class NodeCommand;
class NodeResponse;

// A choice on offer: what the tester keeps of an [ADD] response, so that the entries a
// list command makes need no owner of their own.
struct OfferedResponse {
    std::string tag;
    std::string playerText;
    std::string gotoNode;
    // The [ADD] response that put it on offer; none for a list's entries.
    const NodeResponse* source = nullptr;

    // The same offer, whichever response made it.
    friend bool operator==(const OfferedResponse& a, const OfferedResponse& b) {
        return a.tag == b.tag && a.playerText == b.playerText && a.gotoNode == b.gotoNode;
    }
};

struct RunState {
    DialogueNode* node = nullptr;
    std::vector<OfferedResponse> shownResponses;
    std::vector<OfferedResponse> savedResponses;
    std::vector<std::string> rows;  // the Responses list box
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
    std::uint32_t randomState = 0;
};

}  // namespace tw
