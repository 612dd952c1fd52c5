#pragma once

// Builds small dialogues for tests through the model's own operations.

#include <memory>
#include <string>

#include "model/command_kinds.h"
#include "model/conditional.h"
#include "model/dialogue.h"
#include "model/node_response.h"

namespace tw {

// A command typed by hand.
inline NodeCommand& AddScript(DialogueNode& node, std::string scriptText) {
    return node.AppendCommand(std::make_unique<CommandManual>(std::move(scriptText)));
}

inline NodeCommand& AddGoto(DialogueNode& node, std::string target) {
    return node.AppendCommand(std::make_unique<CommandGoto>(std::move(target)));
}

// A response the player may give; with a condition, only while it holds.
inline NodeResponseAdd& AddResponse(DialogueNode& node, std::string tag, std::string playerText,
                                    std::string gotoNode, std::string condition = {}) {
    auto response = std::make_unique<NodeResponseAdd>(std::move(tag));
    response->SetPlayerText(std::move(playerText));
    response->SetGotoNode(std::move(gotoNode));
    if (!condition.empty()) {
        response->SetCondition(std::make_unique<Conditional>(std::move(condition)));
    }
    return static_cast<NodeResponseAdd&>(node.AppendResponse(std::move(response)));
}

inline void CutResponse(DialogueNode& node, std::string tag) {
    auto response = std::make_unique<NodeResponseCut>();
    response->SetCutTag(std::move(tag));
    node.AppendResponse(std::move(response));
}

class DialogueBuilder {
public:
    // The initialization node gets the name "Start" and the given text.
    explicit DialogueBuilder(std::string rootText = "Hello.") {
        dialogue.Root().SetName("Start");
        dialogue.Root().SetText(std::move(rootText));
    }

    DialogueNode& Root() { return dialogue.Root(); }
    DialogueNode& Node(std::string name, std::string text = "Some text.") {
        DialogueNode& node = dialogue.AppendNode(dialogue.Root(), nextId++, std::move(name));
        node.SetText(std::move(text));
        return node;
    }
    Dialogue dialogue;
    std::int32_t nextId = 1;
};

}  // namespace tw
