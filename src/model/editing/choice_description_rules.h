#pragma once

// The OK rules of the two description dialogs: the two-way question and the list question.

#include <array>
#include <memory>
#include <string>

#include "model/command_kinds.h"

namespace tw {

// What the multiple-choice dialog shows: a new question starts with Yes and No.
struct YesNoFields {
    CommandYesNo::Strings choices{"Yes", "No"};
    CommandYesNo::Strings nodes;
    bool operator==(const YesNoFields&) const = default;
};

// What the list dialog shows: eleven rows of choice, node and condition, and the return row.
struct ListFields {
    CommandList::Strings choices;
    CommandList::Strings nodes;
    CommandList::Strings conditions;
    std::string returnChoice;
    std::string returnNode;
    bool operator==(const ListFields&) const = default;
};

// The message that keeps the dialog open, or empty when the fields describe a command.
std::string CheckYesNoFields(const YesNoFields& fields);
std::string CheckListFields(const ListFields& fields);

// The commands the fields describe; call only when the check passed.
std::unique_ptr<CommandYesNo> BuildYesNoCommand(const YesNoFields& fields);
std::unique_ptr<CommandList> BuildListCommand(const ListFields& fields);

YesNoFields FieldsOfYesNo(const CommandYesNo& command);
ListFields FieldsOfList(const CommandList& command);

}  // namespace tw
