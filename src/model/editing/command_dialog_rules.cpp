#include "model/editing/command_dialog_rules.h"

#include "model/command_kinds.h"
#include "base/byte_string.h"

namespace tw {
namespace {

CommandOutcome Refuse(const char* message) {
    return CommandOutcome{nullptr, message};
}

CommandOutcome Built(std::unique_ptr<NodeCommand> command) {
    return CommandOutcome{std::move(command), {}};
}

CommandOutcome BuildAssignment(const CommandFields& fields) {
    if (fields.variable.empty()) {
        return Refuse("You must type in a variable name.");
    }
    if (fields.value.empty()) {
        return Refuse("You must type in an assign expression.");
    }
    return Built(std::make_unique<CommandVariable>(fields.variable, fields.value));
}

// The test is read from its edit whether it was typed or chosen: an edit emptied after a
// choice must not leave an empty test behind.
CommandOutcome BuildConditionalAssignment(const CommandFields& fields) {
    if (fields.variable.empty()) {
        return Refuse("Please enter a variable name");
    }
    if (fields.trueValue.empty() || fields.falseValue.empty()) {
        return Refuse("Please enter expressions for both the TRUE and FALSE cases.");
    }
    const std::string test = Trim(fields.test);
    if (test.empty()) {
        return Refuse("Please select a conditional expression.");
    }
    return Built(std::make_unique<CommandConditionalVariable>(fields.variable, test,
                                                              fields.trueValue, fields.falseValue));
}

CommandOutcome BuildFlag(const CommandFields& fields, bool set) {
    if (fields.flag.empty()) {
        return Refuse("You must type in a flag.");
    }
    return Built(std::make_unique<CommandFlag>(set, fields.flag));
}

CommandOutcome BuildGoto(const CommandFields& fields) {
    if (fields.gotoNode.empty()) {
        return Refuse("You must type in a goto-node.");
    }
    return Built(std::make_unique<CommandGoto>(fields.gotoNode));
}

CommandOutcome BuildManual(const CommandFields& fields) {
    if (fields.manual.empty()) {
        return Refuse("You must type in a command.");
    }
    return Built(std::make_unique<CommandManual>(fields.manual));
}

CommandOutcome BuildKind(const CommandFields& fields) {
    switch (fields.choice) {
        case CommandChoice::kAssign:
            return BuildAssignment(fields);
        case CommandChoice::kConditionalAssign:
            return BuildConditionalAssignment(fields);
        case CommandChoice::kClearFlag:
            return BuildFlag(fields, false);
        case CommandChoice::kSetFlag:
            return BuildFlag(fields, true);
        case CommandChoice::kEnd:
            return Built(std::make_unique<CommandEnd>());
        case CommandChoice::kGoto:
            return BuildGoto(fields);
        case CommandChoice::kManual:
            return BuildManual(fields);
        case CommandChoice::kReply:
            return Built(std::make_unique<CommandReply>(fields.replyVariable));
        case CommandChoice::kMultipleChoice:
            if (!fields.yesNo) {
                return Refuse("Please describe the branch query.");
            }
            return Built(BuildYesNoCommand(*fields.yesNo));
        case CommandChoice::kResponseList:
            if (!fields.list) {
                return Refuse("Please describe the branch query.");
            }
            return Built(BuildListCommand(*fields.list));
        case CommandChoice::kNone:
            break;
    }
    return {};
}

void FillKindFields(const NodeCommand& command, CommandFields& fields) {
    if (const auto* flag = dynamic_cast<const CommandFlag*>(&command)) {
        fields.choice = flag->IsSet() ? CommandChoice::kSetFlag : CommandChoice::kClearFlag;
        fields.flag = flag->GetFlag();
    } else if (const auto* cassign = dynamic_cast<const CommandConditionalVariable*>(&command)) {
        fields.choice = CommandChoice::kConditionalAssign;
        fields.variable = cassign->GetVariable();
        fields.test = cassign->GetTest().GetExpression();
        fields.trueValue = cassign->GetTrueExpression();
        fields.falseValue = cassign->GetFalseExpression();
    } else if (const auto* assign = dynamic_cast<const CommandVariable*>(&command)) {
        fields.choice = CommandChoice::kAssign;
        fields.variable = assign->GetVariable();
        fields.value = assign->GetExpression();
    } else if (const auto* yesNo = dynamic_cast<const CommandYesNo*>(&command)) {
        fields.choice = CommandChoice::kMultipleChoice;
        fields.yesNo = FieldsOfYesNo(*yesNo);
    } else if (const auto* list = dynamic_cast<const CommandList*>(&command)) {
        fields.choice = CommandChoice::kResponseList;
        fields.list = FieldsOfList(*list);
    } else if (const auto* go = dynamic_cast<const CommandGoto*>(&command)) {
        fields.choice = CommandChoice::kGoto;
        fields.gotoNode = go->GetNode();
    } else if (const auto* reply = dynamic_cast<const CommandReply*>(&command)) {
        fields.choice = CommandChoice::kReply;
        fields.replyVariable = reply->GetVariable();
    } else if (dynamic_cast<const CommandEnd*>(&command) != nullptr) {
        fields.choice = CommandChoice::kEnd;
    } else {
        fields.choice = CommandChoice::kManual;
        fields.manual = command.GetText();
    }
}

}  // namespace

// The condition is read from its edit as it stands, chosen or typed, so an edit emptied by
// hand is refused rather than stored as an empty guard.
CommandOutcome BuildCommandFromFields(const CommandFields& fields) {
    const std::string condition = Trim(fields.condition);
    if (fields.hasCondition && condition.empty()) {
        return Refuse("Please enter a conditional expression.");
    }
    CommandOutcome outcome = BuildKind(fields);
    if (outcome.command && fields.hasCondition) {
        outcome.command->SetCondition(std::make_unique<Conditional>(condition));
    }
    return outcome;
}

CommandFields FieldsOfCommand(const NodeCommand& command) {
    CommandFields fields;
    FillKindFields(command, fields);
    if (const Conditional* condition = command.GetCondition()) {
        fields.hasCondition = true;
        fields.condition = condition->GetExpression();
    }
    return fields;
}

}  // namespace tw
