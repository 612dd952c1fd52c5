#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/node_name_index.h"
#include "script/expression.h"
#include "script/statement.h"

namespace tw {

class Dialogue;
class DialogueNode;
class NodeCommand;
class NodeResponse;

// The compiled statements of a dialogue's commands and the compiled expressions of its
// response conditions, as a test runs them.
//
// SEAM: the model's commands and responses do not keep a compiled form of their own yet;
// once they do (Compile, Execute and Evaluate on the command and the response), this class
// should hand those calls on to them.
class CompiledDialogue {
public:
    // Compiles every command, then every response condition, of each node in pre-order.
    // Answers one message per failure, in the forms of the node compile.
    std::vector<std::string> Compile(Dialogue& dialogue);

    // Runs the command's statement; a command that did not compile does nothing.
    // Throws RuntimeError and ControlFlowException.
    void Execute(const NodeCommand& command, Environment& environment) const;
    // The condition's value; true for a response without a compiled condition.
    // Throws RuntimeError.
    Value Evaluate(const NodeResponse& response, const Environment& environment) const;
    // FindNodeByName of the compiled dialogue, from an index made by Compile, so a run's
    // gotos and choices cost the same in a dialogue of any size.
    DialogueNode* FindNode(std::string_view name) const { return names_.Find(name); }

private:
    void CompileNode(const DialogueNode& node, std::vector<std::string>& errors);

    std::unordered_map<const NodeCommand*, std::unique_ptr<Statement>> statements_;
    std::unordered_map<const NodeResponse*, std::unique_ptr<Expression>> conditions_;
    NodeNameIndex names_;
};

}  // namespace tw
