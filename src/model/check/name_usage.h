#pragma once

// The flags and variables a dialogue reads and sets, from its compiled statements and
// conditions and from the '$' names its node texts substitute.

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "model/check/check_finding.h"
#include "script/byte_string.h"

namespace tw {

class Dialogue;
class DialogueNode;
class Expression;
class Statement;

struct NameRead {
    const DialogueNode* node = nullptr;
    ItemKind item = ItemKind::Node;
    std::size_t index = 0;
};

class NameUsage {
public:
    explicit NameUsage(const Dialogue& dialogue);

    // Each name read, with where it is read first (pre-order, then row order).
    const std::map<std::string, NameRead, LessNoCase>& Reads() const { return reads_; }
    bool IsSet(std::string_view name) const;

private:
    void AddNode(const DialogueNode& node);
    void AddStatement(const Statement* statement, const NameRead& where);
    void AddExpression(const Expression* expression, const NameRead& where);
    void AddText(const DialogueNode& node);
    void Read(std::string_view name, const NameRead& where);

    std::map<std::string, NameRead, LessNoCase> reads_;
    std::set<std::string, LessNoCase> sets_;
};

}  // namespace tw
