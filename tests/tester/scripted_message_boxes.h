#pragma once

// Test double for message boxes: records every box and answers from a queue. A box that
// asks a question nobody queued an answer for fails the test.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "base/message_boxes.h"

namespace tw {

struct ShownMessage {
    std::string caption;
    std::string text;
    MessageButtons buttons;
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

// Displays under test hold one and forward ShowMessage to it.
class MessageScript {
public:
    MessageAnswer Show(MessageKind kind, std::string_view caption, std::string_view text,
                       MessageButtons buttons) {
        messages.push_back({std::string(caption), std::string(text), buttons});
        kinds.push_back(kind);
        if (buttons == MessageButtons::kOk) {
            return MessageAnswer::kOk;
        }
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return MessageAnswer::kCancel;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<MessageAnswer> answers;
    std::vector<ShownMessage> messages;
    std::vector<MessageKind> kinds;  // one per message
};

}  // namespace tw
