#include "model/dialogue_json_library_print.h"

#include <nlohmann/json.hpp>

#include "model/dialogue_json.h"
#include "model/tree_walk.h"
#include "base/windows1252.h"

namespace tw::test {
namespace {

using Json = nlohmann::ordered_json;

Json Text(std::string_view bytes) {
    return Windows1252ToUtf8(bytes);
}

void PutCondition(Json& out, const Conditional* condition) {
    if (condition != nullptr) {
        out["condition"] = Text(condition->GetExpression());
    }
}

Json ResponseJson(const NodeResponse& response) {
    Json out;
    const auto* add = dynamic_cast<const NodeResponseAdd*>(&response);
    out["kind"] = add != nullptr ? "add" : "cut";
    out["tag"] = Text(response.GetTag());
    PutCondition(out, response.GetCondition());
    if (add != nullptr) {
        out["playerText"] = Text(add->GetPlayerText());
        out["gotoNode"] = Text(add->GetGotoNode());
    } else {
        const auto& cut = dynamic_cast<const NodeResponseCut&>(response);
        out["cutTag"] = Text(cut.GetCutTag());
        out["cutText"] = Text(cut.GetCutText());
    }
    return out;
}

template <typename Branching>
Json EntriesJson(const Branching& command, bool withConditions) {
    Json entries = Json::array();
    for (std::size_t i = 0; i < Branching::kEntries; ++i) {
        Json entry;
        entry["choice"] = Text(command.GetChoice(i));
        entry["node"] = Text(command.GetNode(i));
        if (withConditions) {
            if constexpr (std::is_same_v<Branching, CommandList>) {
                entry["condition"] = Text(command.GetConditions()[i].GetExpression());
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

void PutKindFields(Json& out, const NodeCommand& command) {
    if (const auto* flag = dynamic_cast<const CommandFlag*>(&command)) {
        out["set"] = flag->IsSet();
        out["flag"] = Text(flag->GetFlag());
    } else if (const auto* cassign = dynamic_cast<const CommandConditionalVariable*>(&command)) {
        out["variable"] = Text(cassign->GetVariable());
        out["test"] = Text(cassign->GetTest().GetExpression());
        out["trueExpression"] = Text(cassign->GetTrueExpression());
        out["falseExpression"] = Text(cassign->GetFalseExpression());
    } else if (const auto* assign = dynamic_cast<const CommandVariable*>(&command)) {
        out["variable"] = Text(assign->GetVariable());
        out["expression"] = Text(assign->GetExpression());
    } else if (const auto* yesNo = dynamic_cast<const CommandYesNo*>(&command)) {
        out["entries"] = EntriesJson(*yesNo, false);
    } else if (const auto* go = dynamic_cast<const CommandGoto*>(&command)) {
        out["node"] = Text(go->GetNode());
    } else if (const auto* reply = dynamic_cast<const CommandReply*>(&command)) {
        out["variable"] = Text(reply->GetVariable());
    } else if (const auto* list = dynamic_cast<const CommandList*>(&command)) {
        out["entries"] = EntriesJson(*list, true);
        out["returnChoice"] = Text(list->GetReturnChoice());
        out["returnNode"] = Text(list->GetReturnNode());
    }
}

Json CommandJson(const NodeCommand& command) {
    Json out;
    out["kind"] = kCommandKindNames.at(static_cast<std::size_t>(command.GetType()));
    out["text"] = Text(command.GetText());
    PutCondition(out, command.GetCondition());
    PutKindFields(out, command);
    return out;
}

Json NodeJson(const DialogueNode& node, int depth) {
    Json out;
    out["depth"] = depth;
    out["id"] = node.GetId();
    out["name"] = Text(node.GetName());
    out["description"] = Text(node.GetDescription());
    out["textIsRich"] = node.IsTextRich();
    out["text"] = Text(node.GetText());
    out["comments"] = Text(node.GetComments());
    out["responses"] = Json::array();
    for (const auto& response : node.Responses()) {
        out["responses"].push_back(ResponseJson(*response));
    }
    out["commands"] = Json::array();
    for (const auto& command : node.Commands()) {
        out["commands"].push_back(CommandJson(*command));
    }
    return out;
}

int DepthOf(const DialogueNode& node) {
    int depth = 0;
    for (const DialogueNode* up = node.Parent(); up != nullptr; up = up->Parent()) {
        ++depth;
    }
    return depth;
}

}  // namespace

std::string LibraryPrintedJson(const Dialogue& dialogue) {
    Json out;
    out["format"] = kJsonFormatName;
    out["formatVersion"] = kJsonFormatVersion;
    out["fileVersion"] = dialogue.GetFileVersion();
    out["nextNodeId"] = dialogue.GetNextNodeId();
    out["npc"] = {{"id", dialogue.Npc().id},
                  {"name", Text(dialogue.Npc().name)},
                  {"gender", dialogue.Npc().gender}};
    out["comments"] = Text(dialogue.GetComments());
    Json nodes = Json::array();
    ForEachPreOrder(dialogue.Root(), [&](const DialogueNode& node) {
        nodes.push_back(NodeJson(node, DepthOf(node)));
    });
    out["nodes"] = std::move(nodes);
    return out.dump(2) + "\n";
}

}  // namespace tw::test
