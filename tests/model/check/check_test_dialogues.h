#pragma once

// Small dialogues for the check's tests, built node by node.

#include <memory>
#include <string>
#include <vector>

#include "model/check/check_finding.h"
#include "model/check/dialogue_check.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "model/node_response.h"
#include "tester/provided_names.h"

namespace tw::test {

// The check as the tools run it: the names a test run provides are not reported unset.
inline CheckOptions PartyCheck() {
    CheckOptions options;
    options.isProvided = IsProvidedName;
    return options;
}

class CheckDialogueBuilder {
public:
    Dialogue& Get() { return *dialogue_; }
    DialogueNode& Root() { return dialogue_->Root(); }

    DialogueNode& Node(const std::string& name, DialogueNode* parent = nullptr) {
        return dialogue_->AppendNode(parent != nullptr ? *parent : Root(), nextId_++, name, "");
    }
    static void Manual(DialogueNode& node, std::string text) {
        node.AppendCommand(std::make_unique<CommandManual>(std::move(text)));
    }
    static void Goto(DialogueNode& node, std::string target) {
        node.AppendCommand(std::make_unique<CommandGoto>(std::move(target)));
    }
    static NodeResponseAdd& Add(DialogueNode& node, std::string tag, std::string text,
                                std::string target) {
        auto add = std::make_unique<NodeResponseAdd>(std::move(tag));
        add->SetPlayerText(std::move(text));
        add->SetGotoNode(std::move(target));
        NodeResponseAdd& result = *add;
        node.AppendResponse(std::move(add));
        return result;
    }
    static void Cut(DialogueNode& node, std::string tag) {
        auto cut = std::make_unique<NodeResponseCut>();
        cut->SetCutTag(std::move(tag));
        node.AppendResponse(std::move(cut));
    }

private:
    std::unique_ptr<Dialogue> dialogue_ = std::make_unique<Dialogue>();
    std::int32_t nextId_ = 1;
};

// One line per finding, easy to compare and to read in a failure.
inline std::string Describe(const Finding& finding) {
    return finding.rule + " | " + finding.nodeLabel + " | " +
           std::string(ItemKindName(finding.item)) + " " + std::to_string(finding.index) + " | " +
           finding.message;
}

inline std::vector<std::string> Describe(const std::vector<Finding>& findings) {
    std::vector<std::string> lines;
    for (const Finding& finding : findings) {
        lines.push_back(Describe(finding));
    }
    return lines;
}

}  // namespace tw::test
