#include "model/check/name_usage.h"

#include "model/dialogue.h"
#include "model/node_command.h"
#include "model/node_response.h"
#include "model/text/rtf_to_text.h"
#include "model/tree_walk.h"
#include "script/statement_kinds.h"

namespace tw {
namespace {

bool IsNameChar(char c) {
    return IsAlnum(c) || c == '_';
}

}  // namespace

NameUsage::NameUsage(const Dialogue& dialogue) {
    ForEachPreOrder(dialogue.Root(), [this](const DialogueNode& node) { AddNode(node); });
}

bool NameUsage::IsSet(std::string_view name) const {
    return sets_.count(std::string(name)) != 0;
}

void NameUsage::AddNode(const DialogueNode& node) {
    AddText(node);
    const auto& commands = node.Commands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        AddStatement(commands[i]->GetStatement(), {&node, ItemKind::Command, i});
    }
    const auto& responses = node.Responses();
    for (std::size_t i = 0; i < responses.size(); ++i) {
        AddExpression(responses[i]->GetCompiled(), {&node, ItemKind::Response, i});
    }
}

void NameUsage::AddStatement(const Statement* statement, const NameRead& where) {
    if (const auto* assign = dynamic_cast<const AssignStatement*>(statement)) {
        AddExpression(&assign->GetValue(), where);
        sets_.insert(assign->GetName());
    } else if (const auto* cassign = dynamic_cast<const CAssignStatement*>(statement)) {
        AddExpression(&cassign->GetCondition(), where);
        AddExpression(&cassign->GetThen(), where);
        AddExpression(&cassign->GetElse(), where);
        sets_.insert(cassign->GetName());
    } else if (const auto* set = dynamic_cast<const SetStatement*>(statement)) {
        AddExpression(&set->GetValue(), where);
        sets_.insert(set->GetName());
    } else if (const auto* ifStatement = dynamic_cast<const IfStatement*>(statement)) {
        AddExpression(&ifStatement->GetCondition(), where);
        AddStatement(ifStatement->GetThen(), where);
        AddStatement(ifStatement->GetElse(), where);
    } else if (const auto* reply = dynamic_cast<const ReplyStatement*>(statement)) {
        sets_.insert(reply->GetName());
    } else if (const auto* list = dynamic_cast<const ListStatement*>(statement)) {
        for (std::size_t i = 0; i < list->GetItemCount(); ++i) {
            AddExpression(list->GetItem(i).condition.get(), where);
        }
    }
}

// Expressions nest as deep as the parser allows; an explicit stack keeps any depth safe.
void NameUsage::AddExpression(const Expression* expression, const NameRead& where) {
    std::vector<const Expression*> stack{expression};
    while (!stack.empty()) {
        const Expression* e = stack.back();
        stack.pop_back();
        if (const auto* variable = dynamic_cast<const ExprVariable*>(e)) {
            Read(variable->GetName(), where);
        } else if (const auto* unary = dynamic_cast<const ExprUnary*>(e)) {
            stack.push_back(&unary->GetOperand());
        } else if (const auto* binary = dynamic_cast<const ExprBinary*>(e)) {
            stack.push_back(&binary->GetRight());
            stack.push_back(&binary->GetLeft());
        }
    }
}

// The tester replaces '$' followed by letters, digits or '_' in the node's plain text.
void NameUsage::AddText(const DialogueNode& node) {
    if (node.GetText().find('$') == std::string::npos) {
        return;
    }
    const std::string text = node.IsTextRich() ? RtfToText(node.GetText()) : node.GetText();
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '$' || i + 1 >= text.size() || !IsNameChar(text[i + 1])) {
            ++i;
            continue;
        }
        const std::size_t start = i++;
        while (i < text.size() && IsNameChar(text[i])) {
            ++i;
        }
        Read(std::string_view(text).substr(start, i - start), {&node, ItemKind::Node, 0});
    }
}

void NameUsage::Read(std::string_view name, const NameRead& where) {
    reads_.emplace(std::string(name), where);
}

}  // namespace tw
