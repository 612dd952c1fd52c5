#pragma once

#include <cstdint>
#include <string>

#include "base/message_boxes.h"

namespace tw {

// The read-only text fields of the tester window.
enum class TestField { kNode, kLastResponse };
// The controls the engine enables and disables.
enum class TestControl { kResponses, kSelectResponse, kTypedResponse, kEnter };

// A row of the tester's command list: icon (the command's type code) and two columns.
struct CommandRow {
    std::int32_t icon = 0;
    std::string command;  // column "Command": the type name
    std::string text;     // column "String": the script text
    friend bool operator==(const CommandRow&, const CommandRow&) = default;
};

// What the run engine shows and asks. The tester window, the terminal player and the
// tests' recording double implement it; the engine does no input or output of its own.
class TestDisplay : public MessageBoxes {
public:
    virtual void SetField(TestField field, const std::string& text) = 0;
    // The node text after substitution: RTF when isRich, plain text otherwise.
    virtual void SetNodeText(const std::string& text, bool isRich) = 0;
    virtual void ClearCommands() = 0;
    virtual void AddCommand(const CommandRow& row) = 0;
    // The Responses list box: its rows are the offered entries.
    virtual void ClearResponses() = 0;
    virtual void AddResponse(const std::string& text) = 0;
    // The message list of the current visit.
    virtual void ClearMessages() = 0;
    virtual void AddMessage(const std::string& text) = 0;
    virtual void EnableControl(TestControl control, bool enabled) = 0;
    // Empties the typed-response edit after a reply was taken.
    virtual void ClearTypedResponse() = 0;
};

}  // namespace tw
