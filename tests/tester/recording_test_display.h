#pragma once

// Test double of the tester window: keeps the node shown and the controls enabled, records
// the message boxes and answers them from a queue.

#include <map>
#include <string>

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
        if (field == TestField::kNode) {
            node = text;
        }
    }
    void SetNodeText(const std::string&, bool) override {}
    void ClearCommands() override {}
    void AddCommand(const CommandRow&) override {}
    void ClearResponses() override {}
    void AddResponse(const std::string&) override {}
    void ClearMessages() override {}
    void AddMessage(const std::string&) override {}
    void EnableControl(TestControl control, bool isEnabled) override {
        enabled[control] = isEnabled;
    }
    void ClearTypedResponse() override { ++typedResponseClears; }

    MessageScript script;
    std::string node;
    std::map<TestControl, bool> enabled;
    int typedResponseClears = 0;
};

}  // namespace tw
