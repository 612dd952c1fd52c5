#pragma once

// The OK rules of the command dialog: which command its fields build, or why they build none.

#include <memory>
#include <optional>
#include <string>

#include "model/editing/choice_description_rules.h"
#include "model/node_command.h"

namespace tw {

// The kind radio buttons of the command dialog.
enum class CommandChoice {
    kNone,
    kManual,
    kReply,
    kSetFlag,
    kClearFlag,
    kAssign,
    kConditionalAssign,
    kMultipleChoice,
    kResponseList,
    kEnd,
    kGoto,
};

// Everything the command dialog shows, as typed.
struct CommandFields {
    CommandChoice choice = CommandChoice::kManual;
    std::string manual;
    std::string replyVariable;
    std::string flag;      // shared by Set Flag and Clear Flag
    std::string variable;  // shared by both assignments
    std::string value;
    std::string test;
    std::string trueValue;
    std::string falseValue;
    std::string gotoNode;
    bool hasCondition = false;
    std::string condition;
    // The questions described so far through the two Describe dialogs.
    std::optional<YesNoFields> yesNo;
    std::optional<ListFields> list;
    bool operator==(const CommandFields&) const = default;
};

// The built command (none when no kind is chosen), or the message that keeps the dialog open.
struct CommandOutcome {
    std::unique_ptr<NodeCommand> command;
    std::string error;
};

CommandOutcome BuildCommandFromFields(const CommandFields& fields);

// The fields that show an existing command again, its condition included.
CommandFields FieldsOfCommand(const NodeCommand& command);

}  // namespace tw
