#include "model/check/name_usage.h"

#include <typeinfo>

#include "model/dialogue.h"
#include "model/node_command.h"
#include "model/node_response.h"
#include "model/text/rtf_to_text.h"
#include "model/text/text_variables.h"
#include "model/tree_walk.h"
#include "script/statement_kinds.h"

namespace tw {

NameUsage::NameUsage(const std::vector<DialogueNode*>& nodes) {
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        AddNode(*nodes[i], i);
    }
}

bool NameUsage::IsSet(std::string_view name) const {
    return sets_.find(name) != sets_.end();
}

void NameUsage::AddNode(const DialogueNode& node, std::size_t nodeIndex) {
    AddText(node, nodeIndex);
    const auto& commands = node.Commands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        AddStatement(commands[i]->GetStatement(), {&node, nodeIndex, ItemKind::Command, i});
    }
    const auto& responses = node.Responses();
    for (std::size_t i = 0; i < responses.size(); ++i) {
        AddExpression(responses[i]->GetCompiled(), {&node, nodeIndex, ItemKind::Response, i});
    }
}

// typeid compares cheaply; a chain of dynamic casts cost more than the rest of the walk.
void NameUsage::AddStatement(const Statement* statement, const NameRead& where) {
    if (statement == nullptr) {
        return;
    }
    const std::type_info& type = typeid(*statement);
    if (type == typeid(AssignStatement)) {
        const auto& assign = static_cast<const AssignStatement&>(*statement);
        AddExpression(&assign.GetValue(), where);
        sets_.insert(assign.GetName());
    } else if (type == typeid(CAssignStatement)) {
        const auto& cassign = static_cast<const CAssignStatement&>(*statement);
        AddExpression(&cassign.GetCondition(), where);
        AddExpression(&cassign.GetThen(), where);
        AddExpression(&cassign.GetElse(), where);
        sets_.insert(cassign.GetName());
    } else if (type == typeid(SetStatement)) {
        const auto& set = static_cast<const SetStatement&>(*statement);
        AddExpression(&set.GetValue(), where);
        sets_.insert(set.GetName());
    } else {
        AddControlStatement(*statement, type, where);
    }
}

void NameUsage::AddControlStatement(const Statement& statement, const std::type_info& type,
                                    const NameRead& where) {
    if (type == typeid(IfStatement)) {
        const auto& ifStatement = static_cast<const IfStatement&>(statement);
        AddExpression(&ifStatement.GetCondition(), where);
        AddStatement(ifStatement.GetThen(), where);
        AddStatement(ifStatement.GetElse(), where);
    } else if (type == typeid(ReplyStatement)) {
        sets_.insert(static_cast<const ReplyStatement&>(statement).GetName());
    } else if (type == typeid(ListStatement)) {
        const auto& list = static_cast<const ListStatement&>(statement);
        for (std::size_t i = 0; i < list.GetItemCount(); ++i) {
            AddExpression(list.GetItem(i).condition.get(), where);
        }
    }
}

// Expressions nest as deep as the parser allows; an explicit stack keeps any depth safe.
void NameUsage::AddExpression(const Expression* expression, const NameRead& where) {
    std::vector<const Expression*> stack{expression};
    while (!stack.empty()) {
        const Expression* e = stack.back();
        stack.pop_back();
        if (e == nullptr) {
            continue;
        }
        const std::type_info& type = typeid(*e);
        if (type == typeid(ExprVariable)) {
            Read(static_cast<const ExprVariable*>(e)->GetName(), where);
        } else if (type == typeid(ExprUnary)) {
            stack.push_back(&static_cast<const ExprUnary*>(e)->GetOperand());
        } else if (type == typeid(ExprBinary)) {
            const auto* binary = static_cast<const ExprBinary*>(e);
            stack.push_back(&binary->GetRight());
            stack.push_back(&binary->GetLeft());
        }
    }
}

// The tester replaces '$' followed by letters, digits or '_' in the node's plain text.
void NameUsage::AddText(const DialogueNode& node, std::size_t nodeIndex) {
    if (node.GetText().find('$') == std::string::npos) {
        return;
    }
    const std::string text = node.IsTextRich() ? RtfToText(node.GetText()) : node.GetText();
    std::size_t from = 0;
    while (const auto name = NextTextVariable(text, from)) {
        Read(std::string_view(text).substr(name->start, name->length),
             {&node, nodeIndex, ItemKind::Node, 0});
        from = name->start + name->length;
    }
}

void NameUsage::Read(std::string_view name, const NameRead& where) {
    if (reads_.find(name) == reads_.end()) {
        reads_.emplace(std::string(name), where);
    }
}

}  // namespace tw
