#pragma once

// Test double of the tester window: keeps what the engine shows, records the message
// boxes and answers them from a queue.

#include <map>
#include <string>
#include <vector>

#include "tester/scripted_message_boxes.h"
#include "tester/test_display.h"

namespace tw {

class RecordingTestDisplay : public TestDisplay {
public:
    MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                              MessageButtons buttons) override {
        return script.Show(kind, caption, text, buttons);
    }
    void SetField(TestField field, const std::string& text) override {
        (field == TestField::kNode ? node : lastResponse) = text;
    }
    void SetNodeText(const std::string& text, bool isRich) override {
        nodeText = text;
        nodeTextIsRich = isRich;
    }
    void ClearCommands() override { commands.clear(); }
    void AddCommand(const CommandRow& row) override { commands.push_back(row); }
    void ClearResponses() override { responses.clear(); }
    void AddResponse(const std::string& text) override { responses.push_back(text); }
    void ClearMessages() override { messages.clear(); }
    void AddMessage(const std::string& text) override { messages.push_back(text); }
    void EnableControl(TestControl control, bool isEnabled) override {
        enabled[control] = isEnabled;
    }
    void ClearTypedResponse() override { ++typedResponseClears; }

    MessageScript script;
    std::string node;
    std::string lastResponse;
    std::string nodeText;
    bool nodeTextIsRich = false;
    std::vector<CommandRow> commands;
    std::vector<std::string> responses;
    std::vector<std::string> messages;
    std::map<TestControl, bool> enabled;
    int typedResponseClears = 0;
};

}  // namespace tw
