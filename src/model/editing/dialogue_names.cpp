#include "model/editing/dialogue_names.h"

#include <set>

#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "model/tree_walk.h"
#include "base/byte_string.h"
#include "script/lexer.h"
#include "script/script_errors.h"

namespace tw {
namespace {

class NameCollector {
public:
    void AddName(const std::string& name) {
        if (name.empty() || name == "$") {
            return;
        }
        (name.front() == '$' ? variables_ : flags_).insert(name);
    }

    // A line that does not lex keeps the names met before the fault.
    void AddNamesIn(const std::string& line) {
        try {
            Lexer lexer(line);
            bool afterGoto = false;
            while (const auto token = lexer.NextToken()) {
                if (token->GetKind() == TokenKind::Identifier && !afterGoto) {
                    AddName(token->GetText());
                }
                afterGoto = token->GetKind() == TokenKind::Keyword &&
                            EqualsNoCase(token->GetText(), "goto");
            }
        } catch (const SyntaxError&) {
        }
    }

    void AddCommand(const NodeCommand& command) {
        if (const auto* flag = dynamic_cast<const CommandFlag*>(&command)) {
            AddName(flag->GetFlag());
        }
        // The branching kinds hold only choice texts and node names besides their conditions.
        if (const auto* list = dynamic_cast<const CommandList*>(&command)) {
            for (const Conditional& condition : list->GetConditions()) {
                AddNamesIn(condition.GetExpression());
            }
        } else if (dynamic_cast<const CommandYesNo*>(&command) == nullptr) {
            AddNamesIn(command.GetText());
        }
        if (const Conditional* condition = command.GetCondition()) {
            AddNamesIn(condition->GetExpression());
        }
    }

    void AddNode(const DialogueNode& node) {
        for (const auto& command : node.Commands()) {
            AddCommand(*command);
        }
        for (const auto& response : node.Responses()) {
            if (const Conditional* condition = response->GetCondition()) {
                AddNamesIn(condition->GetExpression());
            }
        }
    }

    void MoveInto(DialogueNames& names) {
        names.variables.assign(variables_.begin(), variables_.end());
        names.flags.assign(flags_.begin(), flags_.end());
    }

private:
    std::set<std::string, LessNoCase> variables_;
    std::set<std::string, LessNoCase> flags_;
};

}  // namespace

DialogueNames CollectDialogueNames(const Dialogue& dialogue) {
    DialogueNames names;
    names.nodes = NodeNamesOf(dialogue);
    NameCollector collector;
    ForEachPreOrder(dialogue.Root(),
                    [&collector](const DialogueNode& node) { collector.AddNode(node); });
    collector.MoveInto(names);
    return names;
}

std::vector<std::string> NodeNamesOf(const Dialogue& dialogue) {
    std::vector<std::string> names;
    ForEachPreOrder(dialogue.Root(), [&names, &dialogue](const DialogueNode& node) {
        if (&node != &dialogue.Root()) {
            names.push_back(node.GetName());
        }
    });
    return names;
}

}  // namespace tw
