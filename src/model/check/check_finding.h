#pragma once

// What the dialogue check reports: one finding per fault, tied to the node and to the command
// or response row it concerns.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

class DialogueNode;

enum class Severity { Note, Warning, Error };

// "note", "warning" or "error".
std::string_view SeverityName(Severity severity);

// Which list of a node a finding or a reference points into.
enum class ItemKind { Node, Command, Response };

// "node", "command" or "response".
std::string_view ItemKindName(ItemKind kind);

struct Finding {
    std::string rule;
    Severity severity = Severity::Note;
    const DialogueNode* node = nullptr;
    std::int32_t nodeId = 0;
    std::string nodeLabel;
    ItemKind item = ItemKind::Node;
    std::size_t index = 0;  // row in the command or response list; 0 for the node itself
    std::string message;
};

}  // namespace tw
