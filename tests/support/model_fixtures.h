#pragma once

// The document the model tests share: it holds every command and response kind.

#include <memory>

#include "model/command_kinds.h"
#include "model/dialogue.h"

namespace tw::test {

inline std::unique_ptr<Conditional> Cond(std::string expression) {
    return std::make_unique<Conditional>(std::move(expression));
}

// Every command kind, with and without conditions, and both response kinds.
inline std::unique_ptr<Dialogue> MakeFullDialogue() {
    auto dialogue = std::make_unique<Dialogue>();
    dialogue->Npc() = NPCData{42,
                              "Mira \xE9"
                              "clair",
                              kFemale};
    dialogue->SetNextNodeId(4);
    dialogue->SetComments(
        std::string("\x02"
                    "BNotes\x03"
                    "B\nline two\n\x81\x8D\x8F\x90\x9D\x80"));
    DialogueNode& root = dialogue->Root();
    root.SetText("{\\rtf1 Hello \\b there\\b0}");
    root.SetTextRich(true);
    root.SetComments("root note");
    root.AppendCommand(std::make_unique<CommandManual>("$gold = $gold + 1"));
    root.AppendCommand(std::make_unique<CommandFlag>(true, "kMetOrvane"));
    auto cleared = std::make_unique<CommandFlag>(false, "kAngry");
    cleared->SetCondition(Cond("$gold > 5"));
    root.AppendCommand(std::move(cleared));
    root.AppendCommand(std::make_unique<CommandConditionalVariable>("mood", "x > 1", "1", "2"));
    root.AppendCommand(std::make_unique<CommandVariable>("$gold", "5"));
    DialogueNode& greet = dialogue->AppendNode(root, 1, "Greet", "greets");
    greet.SetText("Welcome, traveller.");
    greet.AppendCommand(std::make_unique<CommandYesNo>(CommandYesNo::Strings{"Yes", "No"},
                                                       CommandYesNo::Strings{"Shop", "Bye"}));
    auto end = std::make_unique<CommandEnd>();
    end->SetCondition(Cond(""));
    greet.AppendCommand(std::move(end));
    greet.AppendCommand(std::make_unique<CommandGoto>("Shop"));
    greet.AppendCommand(std::make_unique<CommandReply>("$answer"));
    CommandList::Strings choices{"Ale", "", "Bread"};
    CommandList::Strings nodes{"N1", "", "N3"};
    CommandList::Conditions conditions;
    conditions[2].SetExpression("$gold >= 2");
    greet.AppendCommand(std::make_unique<CommandList>(choices, nodes, conditions, "Bye", "End"));
    auto add = std::make_unique<NodeResponseAdd>("A01");
    add->SetPlayerText("Tell me more.");
    add->SetGotoNode("Shop");
    add->SetCondition(Cond("$x > 1"));
    greet.AppendResponse(std::move(add));
    auto cut = std::make_unique<NodeResponseCut>();
    cut->SetCutTag("B01");
    cut->SetCutText("Old line");
    greet.AppendResponse(std::move(cut));
    DialogueNode& shop = dialogue->AppendNode(greet, 2, "Shop");
    shop.SetComments("sells ale");
    dialogue->AppendNode(root, 3, "Bye", "farewell");
    return dialogue;
}

}  // namespace tw::test
