#include "tester/compiled_dialogue.h"

#include "model/dialogue.h"
#include "model/tree_walk.h"
#include "script/compile.h"
#include "script/script_errors.h"

namespace tw {

std::vector<std::string> CompiledDialogue::Compile(Dialogue& dialogue) {
    statements_.clear();
    conditions_.clear();
    names_ = NodeNameIndex(dialogue);
    std::vector<std::string> errors;
    ForEachPreOrder(dialogue.Root(),
                    [this, &errors](DialogueNode& node) { CompileNode(node, errors); });
    return errors;
}

void CompiledDialogue::CompileNode(const DialogueNode& node, std::vector<std::string>& errors) {
    for (const auto& command : node.Commands()) {
        const std::string text = command->GetScriptText();
        try {
            statements_[command.get()] = CompileStatement(text);
        } catch (const SyntaxError& e) {
            errors.push_back("NODE " + node.Label() + ": Syntax Error: " + text + ": " +
                             e.GetMessage());
        }
    }
    for (const auto& response : node.Responses()) {
        if (!response->HasCondition()) {
            continue;
        }
        const std::string& expression = response->GetCondition()->GetExpression();
        try {
            conditions_[response.get()] = ParseCondition(expression);
        } catch (const SyntaxError& e) {
            errors.push_back("NODE " + node.Label() + ": Response Condition: " + expression + ": " +
                             e.GetMessage());
        }
    }
}

void CompiledDialogue::Execute(const NodeCommand& command, Environment& environment) const {
    const auto found = statements_.find(&command);
    if (found != statements_.end() && found->second) {
        found->second->Execute(environment);
    }
}

Value CompiledDialogue::Evaluate(const NodeResponse& response,
                                 const Environment& environment) const {
    const auto found = conditions_.find(&response);
    if (found == conditions_.end() || !found->second) {
        return Value(true);
    }
    return found->second->Evaluate(environment);
}

}  // namespace tw
