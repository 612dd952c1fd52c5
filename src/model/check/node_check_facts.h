#pragma once

// What the dialogue check derives from one node alone: the faults of its commands and
// conditions, the roads it opens, the tags it adds and cuts, and the names it reads and
// sets. The rules that look across nodes work from these, so an unchanged node is neither
// compiled nor read again.

#include <cstddef>
#include <string>
#include <vector>

#include "model/check/check_finding.h"
#include "model/check/dialogue_references.h"

namespace tw {

class DialogueNode;

struct SyntaxFault {
    ItemKind item = ItemKind::Command;
    std::size_t index = 0;
    std::string message;  // the compile window's message, word for word
};

// Compiles every command, then every response condition, in row order.
std::vector<SyntaxFault> CompileForCheck(DialogueNode& node);

struct NodeCheckFacts {
    struct TagAdd {
        std::size_t row = 0;
        std::string tag;
        std::string playerText;
        std::string gotoNode;
    };
    struct TagCut {
        std::size_t row = 0;
        std::string tag;
    };
    struct NameRead {
        std::string name;  // as first spelled in the node
        ItemKind item = ItemKind::Node;
        std::size_t index = 0;
    };

    std::string name;
    std::string label;
    std::vector<SyntaxFault> syntax;
    std::vector<NodeReference> references;  // in row order; neither from nor resolved is set
    std::vector<TagAdd> adds;
    std::vector<TagCut> cuts;
    std::vector<NameRead> reads;  // each name once, at its first place in the node
    std::vector<std::string> sets;
};

// Compiles the node (as the full check does) and derives its facts.
NodeCheckFacts DeriveNodeCheckFacts(DialogueNode& node);

}  // namespace tw
