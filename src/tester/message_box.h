#pragma once

#include <string_view>

namespace tw {

// The buttons of a modal message box.
enum class MessageButtons { kOk, kYesNo, kOkCancel };
// The button the user pressed.
enum class MessageAnswer { kOk, kCancel, kYes, kNo };

// Modal message boxes, whose answer comes back from whoever shows them: a window, the
// terminal player, or a test double.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer ShowMessage(std::string_view caption, std::string_view text,
                                      MessageButtons buttons) = 0;
};

}  // namespace tw
