#pragma once

#include <string_view>

namespace tw {

// The buttons of a modal message box.
enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
// The button the user pressed; closing a box answers as its Cancel, or No, or OK would.
enum class MessageAnswer { kOk, kCancel, kYes, kNo };
// What a message is, which decides its icon: a failure, a warning, or a question asked.
enum class MessageKind { kError, kWarning, kQuestion };

// Modal message boxes, whose answer comes back from whoever shows them: a window, the
// terminal player, or a test double.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer ShowMessage(MessageKind kind, std::string_view caption,
                                      std::string_view text, MessageButtons buttons) = 0;
};

}  // namespace tw
