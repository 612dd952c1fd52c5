#include "model/check/dialogue_references.h"

#include "model/node_command.h"
#include "model/node_response.h"
#include "model/tree_walk.h"
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

DialogueReferences::DialogueReferences(Dialogue& dialogue) : names_(dialogue) {
    ForEachPreOrder(dialogue.Root(), [this](DialogueNode& node) { AddNode(node); });
}

void DialogueReferences::AddNode(DialogueNode& node) {
    const auto& commands = node.Commands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        AddStatement(node, i, commands[i]->GetType() == kCommandList, commands[i]->GetStatement());
    }
    const auto& responses = node.Responses();
    for (std::size_t i = 0; i < responses.size(); ++i) {
        const auto* add = dynamic_cast<const NodeResponseAdd*>(responses[i].get());
        if (add != nullptr) {
            Add({ReferenceKind::Add, &node, ItemKind::Response, i, add->GetTag(),
                 add->GetGotoNode(), nullptr});
        }
    }
}

// A list command's last entry is its return entry, which the statement holds as one more item.
void DialogueReferences::AddStatement(const DialogueNode& node, std::size_t index,
                                      bool isListCommand, const Statement* statement) {
    if (const auto* ifStatement = dynamic_cast<const IfStatement*>(statement)) {
        AddStatement(node, index, isListCommand, ifStatement->GetThen());
        AddStatement(node, index, isListCommand, ifStatement->GetElse());
    } else if (const auto* go = dynamic_cast<const GotoStatement*>(statement)) {
        Add({ReferenceKind::Goto, &node, ItemKind::Command, index, {}, go->GetNode(), nullptr});
    } else if (const auto* branch = dynamic_cast<const BranchStatement*>(statement)) {
        for (const Choice* choice : {&branch->GetFirst(), &branch->GetSecond()}) {
            Add({ReferenceKind::Branch, &node, ItemKind::Command, index, choice->text, choice->node,
                 nullptr});
        }
    } else if (const auto* list = dynamic_cast<const ListStatement*>(statement)) {
        const std::size_t count = list->GetItemCount();
        for (std::size_t i = 0; i < count; ++i) {
            const Choice& choice = list->GetItem(i).choice;
            const bool isReturn = isListCommand && i + 1 == count;
            Add({isReturn ? ReferenceKind::ListReturn : ReferenceKind::List, &node,
                 ItemKind::Command, index, choice.text, choice.node, nullptr});
        }
    }
}

void DialogueReferences::Add(NodeReference reference) {
    reference.resolved = names_.Find(reference.target);
    references_.push_back(std::move(reference));
}

std::vector<const NodeReference*> DialogueReferences::From(const DialogueNode& node, ItemKind item,
                                                           std::size_t index) const {
    std::vector<const NodeReference*> found;
    for (const NodeReference& reference : references_) {
        if (reference.from == &node && reference.item == item && reference.index == index) {
            found.push_back(&reference);
        }
    }
    return found;
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
