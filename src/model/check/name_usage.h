#pragma once

// The flags and variables a dialogue reads and sets, from its compiled statements and
// conditions and from the '$' names its node texts substitute.

#include <cstddef>
#include <string>
#include <string_view>
#include <typeinfo>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/check/check_finding.h"
#include "model/check/no_case_hash.h"

namespace tw {

class Dialogue;
class DialogueNode;
class Expression;
class Statement;

struct NameRead {
    const DialogueNode* node = nullptr;
    std::size_t nodeIndex = 0;  // the node's place in the walk
    ItemKind item = ItemKind::Node;
    std::size_t index = 0;
};

class NameUsage {
public:
    // The nodes in the order their reads count (pre-order).
    explicit NameUsage(const std::vector<DialogueNode*>& nodes);

    using ReadMap = std::unordered_map<std::string, NameRead, NoCaseHash, NoCaseEqual>;
    // Each name read, with where it is read first (pre-order, then row order).
    const ReadMap& Reads() const { return reads_; }
    bool IsSet(std::string_view name) const;
    using NameSet = std::unordered_set<std::string, NoCaseHash, NoCaseEqual>;
    const NameSet& Sets() const { return sets_; }

private:
    void AddNode(const DialogueNode& node, std::size_t nodeIndex);
    void AddStatement(const Statement* statement, const NameRead& where);
    void AddControlStatement(const Statement& statement, const std::type_info& type,
                             const NameRead& where);
    void AddExpression(const Expression* expression, const NameRead& where);
    void AddText(const DialogueNode& node, std::size_t nodeIndex);
    void Read(std::string_view name, const NameRead& where);

    ReadMap reads_;
    NameSet sets_;
};

}  // namespace tw
