// Runs the commands of cases/commands.jsonl; each also goes through the clipboard archive
// and must come back the same.

#include <gtest/gtest.h>

#include "model/clipboard_list.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "support/line_cases.h"

namespace tw {
namespace {

void ExpectSurvivesTheClipboard(const NodeCommand& command) {
    const NodeCommand* copied[] = {&command};
    NodeCommandList list;
    ASSERT_TRUE(list.Parse(NodeCommandList::Serialize(copied)));
    ASSERT_EQ(list.GetCount(), 1u);
    const NodeCommand& pasted = *list.GetAt(0);
    EXPECT_EQ(pasted.GetType(), command.GetType());
    EXPECT_EQ(pasted.GetTypeName(), command.GetTypeName());
    EXPECT_EQ(pasted.GetText(), command.GetText());
    EXPECT_EQ(pasted.GetScriptText(), command.GetScriptText());
}

std::string CommandAnswer(const std::string& json) {
    Dialogue dialogue;
    const std::optional<std::string> error = DialogueFromJson(
        R"({"format": "talkwright-dialogue", "nodes": [{"depth": 0, "commands": [)" + json + "]}]}",
        dialogue);
    if (error) {
        return *error;
    }
    NodeCommand& command = *dialogue.Root().Commands()[0];
    const std::string text = command.GetText();
    EXPECT_EQ(command.GetScriptText(), text);
    command.SetCondition(std::make_unique<Conditional>("$a == 1"));
    ExpectSurvivesTheClipboard(command);
    return std::to_string(command.GetType()) + " " + command.GetTypeName() + " | " + text + " | " +
           command.GetScriptText();
}

TEST(CommandCases, KindsAndTexts) {
    test::ExpectLineCases(std::string(TW_SOURCE_DIR) + "/tests/model/cases/commands.jsonl",
                          CommandAnswer);
}

}  // namespace
}  // namespace tw
