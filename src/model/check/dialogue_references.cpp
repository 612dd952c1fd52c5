#include "model/check/dialogue_references.h"

#include <algorithm>
#include <typeinfo>

#include "model/node_command.h"
#include "model/node_response.h"
#include "model/tree_walk.h"
#include "script/script_errors.h"
#include "script/statement_kinds.h"

namespace tw {

std::string_view ReferenceKindName(ReferenceKind kind) {
    switch (kind) {
        case ReferenceKind::Goto:
            return "goto";
        case ReferenceKind::Branch:
            return "branch";
        case ReferenceKind::List:
            return "list";
        case ReferenceKind::ListReturn:
            return "list return";
        case ReferenceKind::Add:
            return "response";
    }
    return {};
}

DialogueReferences::DialogueReferences(Dialogue& dialogue) {
    ForEachPreOrder(dialogue.Root(), [this](DialogueNode& node) { nodes_.push_back(&node); });
    names_.reserve(nodes_.size());
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        names_.emplace(nodes_[i]->GetName(), i);  // the first node of a name wins
    }
    firstReference_.reserve(nodes_.size() + 1);
    for (const DialogueNode* node : nodes_) {
        firstReference_.push_back(references_.size());
        AddNode(*node);
    }
    firstReference_.push_back(references_.size());
}

std::optional<std::size_t> DialogueReferences::IndexOf(const DialogueNode& node) const {
    const auto found = std::find(nodes_.begin(), nodes_.end(), &node);
    return found == nodes_.end() ? std::nullopt
                                 : std::optional(static_cast<std::size_t>(found - nodes_.begin()));
}

std::span<const NodeReference> DialogueReferences::OfNode(std::size_t index) const {
    const std::size_t first = firstReference_.at(index);
    return {references_.data() + first, firstReference_.at(index + 1) - first};
}

void DialogueReferences::AddNode(const DialogueNode& node) {
    const auto& commands = node.Commands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        AddStatement(node, i, commands[i]->GetType() == kCommandList, commands[i]->GetStatement());
    }
    const auto& responses = node.Responses();
    for (std::size_t i = 0; i < responses.size(); ++i) {
        if (responses[i]->GetType() == kResponseAdd) {
            const auto* add = static_cast<const NodeResponseAdd*>(responses[i].get());
            Add({ReferenceKind::Add, &node, ItemKind::Response, i, add->GetTag(),
                 add->GetGotoNode(), nullptr, 0, add->HasCondition()});
        }
    }
}

// A list command's last entry is its return entry, which the statement holds as one more item.
// A command's own condition compiles to an if around its statement.
void DialogueReferences::AddStatement(const DialogueNode& node, std::size_t index,
                                      bool isListCommand, const Statement* statement,
                                      bool conditional) {
    if (statement == nullptr) {
        return;
    }
    // typeid compares cheaply; a chain of dynamic casts cost more than the rest of the walk.
    const std::type_info& type = typeid(*statement);
    if (type == typeid(IfStatement)) {
        const auto* ifStatement = static_cast<const IfStatement*>(statement);
        AddStatement(node, index, isListCommand, ifStatement->GetThen(), true);
        AddStatement(node, index, isListCommand, ifStatement->GetElse(), true);
    } else if (type == typeid(GotoStatement)) {
        const auto* go = static_cast<const GotoStatement*>(statement);
        Add({ReferenceKind::Goto,
             &node,
             ItemKind::Command,
             index,
             {},
             go->GetNode(),
             nullptr,
             0,
             conditional});
    } else if (type == typeid(BranchStatement)) {
        const auto* branch = static_cast<const BranchStatement*>(statement);
        for (const Choice* choice : {&branch->GetFirst(), &branch->GetSecond()}) {
            Add({ReferenceKind::Branch, &node, ItemKind::Command, index, choice->text, choice->node,
                 nullptr, 0, conditional});
        }
    } else if (type == typeid(ListStatement)) {
        const auto* list = static_cast<const ListStatement*>(statement);
        const std::size_t count = list->GetItemCount();
        for (std::size_t i = 0; i < count; ++i) {
            const ListStatement::Item& item = list->GetItem(i);
            const bool isReturn = isListCommand && i + 1 == count;
            Add({isReturn ? ReferenceKind::ListReturn : ReferenceKind::List, &node,
                 ItemKind::Command, index, item.choice.text, item.choice.node, nullptr, 0,
                 conditional || item.condition != nullptr});
        }
    }
}

void DialogueReferences::Add(NodeReference reference) {
    const auto found = names_.find(reference.target);
    if (found != names_.end()) {
        reference.resolvedIndex = found->second;
        reference.resolved = nodes_[found->second];
    }
    references_.push_back(reference);
}

std::vector<const NodeReference*> DialogueReferences::From(const DialogueNode& node, ItemKind item,
                                                           std::size_t index) const {
    std::vector<const NodeReference*> found;
    if (const auto at = IndexOf(node)) {
        for (const NodeReference& reference : OfNode(*at)) {
            if (reference.item == item && reference.index == index) {
                found.push_back(&reference);
            }
        }
    }
    return found;
}

std::vector<NodeReference> DialogueReferences::OfRow(Dialogue& dialogue, DialogueNode& node,
                                                     ItemKind item, std::size_t index) {
    DialogueReferences row;
    if (item == ItemKind::Command && index < node.Commands().size()) {
        NodeCommand& command = *node.Commands()[index];
        try {
            command.Compile();
        } catch (const SyntaxError&) {
            return {};
        }
        row.AddStatement(node, index, command.GetType() == kCommandList, command.GetStatement());
    } else if (item == ItemKind::Response && index < node.Responses().size()) {
        if (node.Responses()[index]->GetType() == kResponseAdd) {
            const auto& add = static_cast<const NodeResponseAdd&>(*node.Responses()[index]);
            row.references_.push_back({ReferenceKind::Add, &node, ItemKind::Response, index,
                                       add.GetTag(), add.GetGotoNode(), nullptr, 0,
                                       add.HasCondition()});
        }
    }
    for (NodeReference& reference : row.references_) {
        reference.resolved = dialogue.FindNodeByName(reference.target);
    }
    return std::move(row.references_);
}

std::vector<NodeReference> DialogueReferences::MadeBy(const DialogueNode& node) {
    DialogueReferences made;
    made.AddNode(node);
    return std::move(made.references_);
}

std::vector<const NodeReference*> DialogueReferences::To(const DialogueNode& node) const {
    std::vector<const NodeReference*> found;
    for (const NodeReference& reference : references_) {
        if (reference.resolved == &node) {
            found.push_back(&reference);
        }
    }
    return found;
}

}  // namespace tw
