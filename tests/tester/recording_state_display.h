#pragma once

// Test double for the state editor's window: records its message boxes and error lists.

#include <string>
#include <vector>

#include "tester/scripted_message_boxes.h"
#include "tester/state_editor.h"

namespace tw {

class RecordingStateDisplay : public StateEditorDisplay {
public:
    MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                              MessageButtons buttons) override {
        return script.Show(kind, caption, text, buttons);
    }
    void ShowErrors(const std::vector<std::string>& errors) override {
        errorLists.push_back(errors);
    }

    MessageScript script;
    std::vector<std::vector<std::string>> errorLists;
};

}  // namespace tw
