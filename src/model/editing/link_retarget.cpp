#include "model/editing/link_retarget.h"

#include <optional>
#include <string>

#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "model/node_response.h"
#include "model/tree_walk.h"
#include "base/byte_string.h"
#include "script/lexer.h"
#include "script/script_errors.h"
#include "script/statement.h"

namespace tw {
namespace {

// The name when it is the one renamed, the old one otherwise; `changed` notes a swap.
std::string Swapped(const std::string& name, std::string_view from, std::string_view to,
                    bool& changed) {
    if (!EqualsNoCase(name, from)) {
        return name;
    }
    changed = true;
    return std::string(to);
}

// A typed statement with each node name that is `from` replaced, or none when it names
// none (or does not parse: its names cannot be told from its other words).
std::optional<std::string> RewriteStatement(const std::string& text, std::string_view from,
                                            std::string_view to) {
    std::vector<Lexer::Span> names;
    Lexer lexer(text);
    lexer.RecordNodeNames(&names);
    try {
        Statement::Parse(lexer);
    } catch (const SyntaxError&) {
        return std::nullopt;
    }
    std::string rewritten = text;
    bool changed = false;
    for (auto span = names.rbegin(); span != names.rend(); ++span) {
        if (EqualsNoCase(std::string_view(text).substr(span->start, span->length), from)) {
            rewritten.replace(span->start, span->length, to);
            changed = true;
        }
    }
    return changed ? std::optional(std::move(rewritten)) : std::nullopt;
}

std::unique_ptr<NodeCommand> RetargetYesNo(const CommandYesNo& command, std::string_view from,
                                           std::string_view to) {
    bool changed = false;
    CommandYesNo::Strings nodes;
    for (std::size_t i = 0; i < CommandYesNo::kEntries; ++i) {
        nodes[i] = Swapped(command.GetNode(i), from, to, changed);
    }
    return changed ? std::make_unique<CommandYesNo>(command.GetChoices(), nodes) : nullptr;
}

// Entries without a choice are left out of the list's statement, so they lead nowhere.
std::unique_ptr<NodeCommand> RetargetList(const CommandList& command, std::string_view from,
                                          std::string_view to) {
    bool changed = false;
    CommandList::Strings nodes = command.GetNodes();
    for (std::size_t i = 0; i < CommandList::kEntries; ++i) {
        if (!command.GetChoice(i).empty()) {
            nodes[i] = Swapped(nodes[i], from, to, changed);
        }
    }
    std::string returnNode = Swapped(command.GetReturnNode(), from, to, changed);
    if (!changed) {
        return nullptr;
    }
    return std::make_unique<CommandList>(command.GetChoices(), nodes, command.GetConditions(),
                                         command.GetReturnChoice(), std::move(returnNode));
}

std::unique_ptr<NodeCommand> RetargetCommand(const NodeCommand& command, std::string_view from,
                                             std::string_view to) {
    std::unique_ptr<NodeCommand> rebuilt;
    switch (command.GetType()) {
        case kCommandGoto:
            if (const auto& jump = static_cast<const CommandGoto&>(command);
                EqualsNoCase(jump.GetNode(), from)) {
                rebuilt = std::make_unique<CommandGoto>(std::string(to));
            }
            break;
        case kCommandYesNo:
            rebuilt = RetargetYesNo(static_cast<const CommandYesNo&>(command), from, to);
            break;
        case kCommandList:
            rebuilt = RetargetList(static_cast<const CommandList&>(command), from, to);
            break;
        case kCommandManual:
            if (auto text = RewriteStatement(command.GetText(), from, to)) {
                rebuilt = std::make_unique<CommandManual>(std::move(*text));
            }
            break;
        default:
            break;
    }
    if (rebuilt != nullptr && command.GetCondition() != nullptr) {
        rebuilt->SetCondition(command.GetCondition()->Clone());
    }
    return rebuilt;
}

std::unique_ptr<NodeResponse> RetargetResponse(const NodeResponse& response, std::string_view from,
                                               std::string_view to) {
    if (response.GetType() != kResponseAdd) {
        return nullptr;
    }
    const auto& add = static_cast<const NodeResponseAdd&>(response);
    if (!EqualsNoCase(add.GetGotoNode(), from)) {
        return nullptr;
    }
    auto rebuilt = std::make_unique<NodeResponseAdd>(add.GetTag());
    rebuilt->SetPlayerText(add.GetPlayerText());
    rebuilt->SetGotoNode(std::string(to));
    if (add.GetCondition() != nullptr) {
        rebuilt->SetCondition(add.GetCondition()->Clone());
    }
    return rebuilt;
}

void RetargetNode(const DialogueNode& node, std::string_view from, std::string_view to,
                  std::vector<RetargetedRow>& rows) {
    for (std::size_t i = 0; i < node.Commands().size(); ++i) {
        if (auto command = RetargetCommand(*node.Commands()[i], from, to)) {
            rows.push_back({node.GetId(), ItemKind::Command, i, std::move(command), nullptr});
        }
    }
    for (std::size_t i = 0; i < node.Responses().size(); ++i) {
        if (auto response = RetargetResponse(*node.Responses()[i], from, to)) {
            rows.push_back({node.GetId(), ItemKind::Response, i, nullptr, std::move(response)});
        }
    }
}

}  // namespace

std::vector<RetargetedRow> RetargetLinks(const Dialogue& dialogue, std::string_view from,
                                         std::string_view to) {
    std::vector<RetargetedRow> rows;
    if (from.empty()) {
        return rows;
    }
    ForEachPreOrder(dialogue.Root(),
                    [&](const DialogueNode& node) { RetargetNode(node, from, to, rows); });
    return rows;
}

}  // namespace tw
