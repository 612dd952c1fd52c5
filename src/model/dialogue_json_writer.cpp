#include <utility>
#include <vector>

#include "model/dialogue_json.h"
#include "model/json_text_printer.h"
#include "model/tree_walk.h"

namespace tw {
namespace {

void PutCondition(JsonTextPrinter& json, const Conditional* condition) {
    if (condition != nullptr) {
        json.StringMember("condition", condition->GetExpression());
    }
}

void PutResponse(JsonTextPrinter& json, const NodeResponse& response) {
    const bool add = response.GetType() == kResponseAdd;
    json.OpenObject();
    json.StringMember("kind", add ? "add" : "cut");
    json.StringMember("tag", response.GetTag());
    PutCondition(json, response.GetCondition());
    if (add) {
        const auto& added = static_cast<const NodeResponseAdd&>(response);
        json.StringMember("playerText", added.GetPlayerText());
        json.StringMember("gotoNode", added.GetGotoNode());
    } else {
        const auto& cut = static_cast<const NodeResponseCut&>(response);
        json.StringMember("cutTag", cut.GetCutTag());
        json.StringMember("cutText", cut.GetCutText());
    }
    json.CloseObject();
}

template <typename Branching>
void PutEntries(JsonTextPrinter& json, const Branching& command, bool withConditions) {
    json.Key("entries");
    json.OpenArray();
    for (std::size_t i = 0; i < Branching::kEntries; ++i) {
        json.Element();
        json.OpenObject();
        json.StringMember("choice", command.GetChoice(i));
        json.StringMember("node", command.GetNode(i));
        if constexpr (std::is_same_v<Branching, CommandList>) {
            if (withConditions) {
                json.StringMember("condition", command.GetConditions()[i].GetExpression());
            }
        }
        json.CloseObject();
    }
    json.CloseArray();
}

void PutAssignFields(JsonTextPrinter& json, const NodeCommand& command) {
    if (command.GetType() == kCommandConditionalVariable) {
        const auto& assign = static_cast<const CommandConditionalVariable&>(command);
        json.StringMember("variable", assign.GetVariable());
        json.StringMember("test", assign.GetTest().GetExpression());
        json.StringMember("trueExpression", assign.GetTrueExpression());
        json.StringMember("falseExpression", assign.GetFalseExpression());
    } else {
        const auto& assign = static_cast<const CommandVariable&>(command);
        json.StringMember("variable", assign.GetVariable());
        json.StringMember("expression", assign.GetExpression());
    }
}

// The type code names the command's class: each kind's constructor sets its own.
void PutKindFields(JsonTextPrinter& json, const NodeCommand& command) {
    switch (command.GetType()) {
        case kCommandFlag: {
            const auto& flag = static_cast<const CommandFlag&>(command);
            json.Key("set");
            json.Bool(flag.IsSet());
            json.StringMember("flag", flag.GetFlag());
            break;
        }
        case kCommandConditionalVariable:
        case kCommandVariable:
            PutAssignFields(json, command);
            break;
        case kCommandYesNo:
            PutEntries(json, static_cast<const CommandYesNo&>(command), false);
            break;
        case kCommandGoto:
            json.StringMember("node", static_cast<const CommandGoto&>(command).GetNode());
            break;
        case kCommandReply:
            json.StringMember("variable", static_cast<const CommandReply&>(command).GetVariable());
            break;
        case kCommandList: {
            const auto& list = static_cast<const CommandList&>(command);
            PutEntries(json, list, true);
            json.StringMember("returnChoice", list.GetReturnChoice());
            json.StringMember("returnNode", list.GetReturnNode());
            break;
        }
        default:
            break;
    }
}

void PutCommand(JsonTextPrinter& json, const NodeCommand& command) {
    json.OpenObject();
    json.StringMember("kind", kCommandKindNames.at(static_cast<std::size_t>(command.GetType())));
    json.StringMember("text", command.GetText());
    PutCondition(json, command.GetCondition());
    PutKindFields(json, command);
    json.CloseObject();
}

template <typename List, typename PutOne>
void PutList(JsonTextPrinter& json, std::string_view key, const List& list, PutOne putOne) {
    json.Key(key);
    json.OpenArray();
    for (const auto& element : list) {
        json.Element();
        putOne(json, *element);
    }
    json.CloseArray();
}

void PutNode(JsonTextPrinter& json, const DialogueNode& node, int depth) {
    json.Element();
    json.OpenObject();
    json.Key("depth");
    json.Int(depth);
    json.Key("id");
    json.Int(node.GetId());
    json.StringMember("name", node.GetName());
    json.StringMember("description", node.GetDescription());
    json.Key("textIsRich");
    json.Bool(node.IsTextRich());
    json.StringMember("text", node.GetText());
    json.StringMember("comments", node.GetComments());
    PutList(json, "responses", node.Responses(), PutResponse);
    PutList(json, "commands", node.Commands(), PutCommand);
    json.CloseObject();
}

// The document's fields, up to the opening of the node list.
void PutHead(JsonTextPrinter& json, const Dialogue& dialogue) {
    json.OpenObject();
    json.StringMember("format", kJsonFormatName);
    json.Key("formatVersion");
    json.Int(kJsonFormatVersion);
    json.Key("fileVersion");
    json.Int(dialogue.GetFileVersion());
    json.Key("nextNodeId");
    json.Int(dialogue.GetNextNodeId());
    json.Key("npc");
    json.OpenObject();
    json.Key("id");
    json.Int(dialogue.Npc().id);
    json.StringMember("name", dialogue.Npc().name);
    json.Key("gender");
    json.Int(dialogue.Npc().gender);
    json.CloseObject();
    json.StringMember("comments", dialogue.GetComments());
    json.Key("nodes");
    json.OpenArray();
}

// Prints the whole document into json's string; afterNode runs once each node is in it.
template <typename AfterNode>
void PrintDialogue(JsonTextPrinter& json, const Dialogue& dialogue, AfterNode afterNode) {
    PutHead(json, dialogue);
    // Depths follow the walk: a node is one deeper than its parent, whose depth is known.
    std::vector<std::pair<const DialogueNode*, int>> parents;
    ForEachPreOrder(dialogue.Root(), [&](const DialogueNode& node) {
        while (!parents.empty() && parents.back().first != node.Parent()) {
            parents.pop_back();
        }
        const int depth = parents.empty() ? 0 : parents.back().second + 1;
        PutNode(json, node, depth);
        afterNode();
        parents.emplace_back(&node, depth);
    });
    json.CloseArray();
    json.CloseObject();
    json.Out() += '\n';
}

}  // namespace

// Printed straight into the text, a node at a time, without a JSON tree of any of it.
void WriteDialogueJson(const Dialogue& dialogue, const std::function<void(std::string_view)>& put) {
    std::string piece;
    JsonTextPrinter json(piece);
    PrintDialogue(json, dialogue, [&] {
        put(piece);
        piece.clear();
    });
    put(piece);
}

std::string DialogueToJson(const Dialogue& dialogue) {
    std::string text;
    JsonTextPrinter json(text);
    PrintDialogue(json, dialogue, [] {});
    return text;
}

}  // namespace tw
