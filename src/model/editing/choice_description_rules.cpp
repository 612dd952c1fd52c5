#include "model/editing/choice_description_rules.h"

#include "base/byte_string.h"

namespace tw {

std::string CheckYesNoFields(const YesNoFields& fields) {
    for (std::size_t i = 0; i < CommandYesNo::kEntries; ++i) {
        if (fields.choices[i].empty() || fields.nodes[i].empty()) {
            return "Please fill in all fields.";
        }
    }
    return {};
}

std::string CheckListFields(const ListFields& fields) {
    for (std::size_t i = 0; i < CommandList::kEntries; ++i) {
        if (!fields.choices[i].empty() && fields.nodes[i].empty()) {
            return "Please choose a node for each choice.";
        }
    }
    if (fields.returnChoice.empty() || fields.returnNode.empty()) {
        return "Please enter a return choice and node.";
    }
    return {};
}

std::unique_ptr<CommandYesNo> BuildYesNoCommand(const YesNoFields& fields) {
    return std::make_unique<CommandYesNo>(fields.choices, fields.nodes);
}

// A condition of blanks only would be written as "if (  ) then", which no compile accepts;
// blanks around a condition mean nothing, so they go.
std::unique_ptr<CommandList> BuildListCommand(const ListFields& fields) {
    CommandList::Conditions conditions;
    for (std::size_t i = 0; i < CommandList::kEntries; ++i) {
        conditions[i].SetExpression(Trim(fields.conditions[i]));
    }
    return std::make_unique<CommandList>(fields.choices, fields.nodes, conditions,
                                         fields.returnChoice, fields.returnNode);
}

YesNoFields FieldsOfYesNo(const CommandYesNo& command) {
    return YesNoFields{command.GetChoices(), command.GetNodes()};
}

ListFields FieldsOfList(const CommandList& command) {
    ListFields fields{command.GetChoices(),
                      command.GetNodes(),
                      {},
                      command.GetReturnChoice(),
                      command.GetReturnNode()};
    for (std::size_t i = 0; i < CommandList::kEntries; ++i) {
        fields.conditions[i] = command.GetConditions()[i].GetExpression();
    }
    return fields;
}

}  // namespace tw
