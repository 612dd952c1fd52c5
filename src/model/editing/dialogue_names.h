#pragma once

// The names a dialogue already uses, offered for completion in the editing dialogs.

#include <string>
#include <vector>

namespace tw {

class Dialogue;

struct DialogueNames {
    std::vector<std::string> nodes;      // every node but the initialization node, pre-order
    std::vector<std::string> variables;  // '$' names, sorted, each once (case-insensitive)
    std::vector<std::string> flags;      // the other names, sorted, each once
};

// Variables and flags come from the flag and assignment commands and from the names in
// every command's and response's script text; keywords and goto targets are left out.
DialogueNames CollectDialogueNames(const Dialogue& dialogue);

// The node names the dialogs offer: every node except the initialization node.
std::vector<std::string> NodeNamesOf(const Dialogue& dialogue);

}  // namespace tw
