#pragma once

// A dialogue whose every string field holds the given bytes, in every command kind and
// both response kinds, so that a JSON printer or reader meets each byte in each place.

#include <limits>
#include <memory>
#include <string>

#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "support/model_fixtures.h"

namespace tw::test {

inline void AddEveryCommand(DialogueNode& node, const std::string& s) {
    node.AppendCommand(std::make_unique<CommandManual>(s));
    node.AppendCommand(std::make_unique<CommandFlag>(true, s));
    node.AppendCommand(std::make_unique<CommandConditionalVariable>(s, s, s, s));
    node.AppendCommand(std::make_unique<CommandVariable>(s, s));
    node.AppendCommand(
        std::make_unique<CommandYesNo>(CommandYesNo::Strings{s, s}, CommandYesNo::Strings{s, s}));
    node.AppendCommand(std::make_unique<CommandEnd>());
    node.AppendCommand(std::make_unique<CommandGoto>(s));
    node.AppendCommand(std::make_unique<CommandReply>(s));
    CommandList::Strings strings;
    strings.fill(s);
    CommandList::Conditions conditions;
    for (Conditional& condition : conditions) {
        condition.SetExpression(s);
    }
    node.AppendCommand(std::make_unique<CommandList>(strings, strings, conditions, s, s));
    for (const auto& command : node.Commands()) {
        command->SetText(s);
        command->SetCondition(Cond(s));
    }
}

inline void AddBothResponses(DialogueNode& node, const std::string& s) {
    auto add = std::make_unique<NodeResponseAdd>(s);
    add->SetPlayerText(s);
    add->SetGotoNode(s);
    add->SetCondition(Cond(s));
    node.AppendResponse(std::move(add));
    auto cut = std::make_unique<NodeResponseCut>(s);
    cut->SetCutTag(s);
    cut->SetCutText(s);
    cut->SetCondition(Cond(s));
    node.AppendResponse(std::move(cut));
}

inline void FillNode(DialogueNode& node, const std::string& s) {
    node.SetName(s);
    node.SetDescription(s);
    node.SetText(s);
    node.SetComments(s);
    node.SetTextRich(true);
    AddEveryCommand(node, s);
    AddBothResponses(node, s);
}

// Three levels of nodes, the extreme integers in the integer fields.
inline std::unique_ptr<Dialogue> MakeDialogueWithBytes(const std::string& s) {
    auto dialogue = std::make_unique<Dialogue>();
    dialogue->Npc() = NPCData{std::numeric_limits<std::int32_t>::min(), s,
                              std::numeric_limits<std::int32_t>::max()};
    dialogue->SetComments(s);
    dialogue->SetNextNodeId(std::numeric_limits<std::int32_t>::max());
    dialogue->SetFileVersion(100);
    FillNode(dialogue->Root(), s);
    DialogueNode& child = dialogue->AppendNode(dialogue->Root(), -7, s, s);
    FillNode(child, s);
    FillNode(dialogue->AppendNode(child, 12, s, s), s);
    dialogue->AppendNode(dialogue->Root(), 3, "");
    return dialogue;
}

inline std::string EveryByte() {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) {
        bytes.push_back(static_cast<char>(byte));
    }
    return bytes;
}

}  // namespace tw::test
