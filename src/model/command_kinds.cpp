#include "model/command_kinds.h"

#include "base/byte_string.h"

namespace tw {
namespace {

constexpr std::string_view kReplyPrefix = "reply ";

std::string BuildYesNoText(const CommandYesNo::Strings& choices,
                           const CommandYesNo::Strings& nodes) {
    std::string text = "branch ";
    for (std::size_t i = 0; i < CommandYesNo::kEntries; ++i) {
        text += BranchEntry(choices[i], nodes[i]) + ", ";
    }
    text.resize(text.size() - 2);
    return text;
}

std::string BuildListText(const CommandList& list) {
    std::string text = "list ";
    for (std::size_t i = 0; i < CommandList::kEntries; ++i) {
        if (list.GetChoice(i).empty()) {
            continue;
        }
        text += BranchEntry(list.GetChoice(i), list.GetNode(i));
        const std::string& condition = list.GetConditions()[i].GetExpression();
        if (!condition.empty()) {
            text += " if (" + condition + ") then";
        }
        text += ", ";
    }
    return text + BranchEntry(list.GetReturnChoice(), list.GetReturnNode());
}

}  // namespace

std::string WithDollar(std::string variable) {
    if (variable.empty() || variable.front() != '$') {
        variable.insert(variable.begin(), '$');
    }
    return variable;
}

std::string BranchEntry(const std::string& choice, const std::string& node) {
    return "\"" + choice + "\"->" + node;
}

CommandFlag::CommandFlag(bool set, std::string flag)
    : NodeCommand(kCommandFlag), set_(set), flag_(std::move(flag)) {
    SetText("set " + flag_ + (set_ ? " = TRUE" : " = FALSE"));
}

void CommandFlag::WriteFields(ByteWriter& out) const {
    if (out.Layout() == ByteLayout::kFile) {
        out.WriteBool(set_);
    } else {
        out.WriteInt32(set_ ? 1 : 0);
    }
    out.WriteString(flag_);
}

void CommandFlag::ReadFields(ByteReader& in) {
    set_ = in.Layout() == ByteLayout::kFile ? in.ReadBool() : in.ReadInt32() != 0;
    flag_ = in.ReadString();
}

CommandConditionalVariable::CommandConditionalVariable(std::string variable, std::string test,
                                                       std::string trueExpression,
                                                       std::string falseExpression)
    : NodeCommand(kCommandConditionalVariable),
      variable_(WithDollar(std::move(variable))),
      test_(std::move(test)),
      trueExpression_(std::move(trueExpression)),
      falseExpression_(std::move(falseExpression)) {
    SetText(variable_ + " = if (" + test_.GetExpression() + ") then (" + trueExpression_ +
            ") else (" + falseExpression_ + ")");
}

// The file keeps the test second, the archive last.
void CommandConditionalVariable::WriteFields(ByteWriter& out) const {
    const bool isFile = out.Layout() == ByteLayout::kFile;
    out.WriteString(variable_);
    if (isFile) {
        out.WriteString(test_.GetExpression());
    }
    out.WriteString(trueExpression_);
    out.WriteString(falseExpression_);
    if (!isFile) {
        out.WriteString(test_.GetExpression());
    }
}

void CommandConditionalVariable::ReadFields(ByteReader& in) {
    const bool isFile = in.Layout() == ByteLayout::kFile;
    variable_ = in.ReadString();
    if (isFile) {
        test_.SetExpression(in.ReadString());
    }
    trueExpression_ = in.ReadString();
    falseExpression_ = in.ReadString();
    if (!isFile) {
        test_.SetExpression(in.ReadString());
    }
}

CommandVariable::CommandVariable(std::string variable, std::string expression)
    : NodeCommand(kCommandVariable),
      variable_(WithDollar(std::move(variable))),
      expression_(std::move(expression)) {
    SetText(variable_ + " = " + expression_);
}

void CommandVariable::WriteFields(ByteWriter& out) const {
    out.WriteString(variable_);
    out.WriteString(expression_);
}

void CommandVariable::ReadFields(ByteReader& in) {
    variable_ = in.ReadString();
    expression_ = in.ReadString();
}

CommandYesNo::CommandYesNo(Strings choices, Strings nodes)
    : NodeCommand(kCommandYesNo), choices_(std::move(choices)), nodes_(std::move(nodes)) {
    SetText(BuildYesNoText(choices_, nodes_));
}

void CommandYesNo::WriteFields(ByteWriter& out) const {
    for (std::size_t i = 0; i < kEntries; ++i) {
        out.WriteString(choices_[i]);
        out.WriteString(nodes_[i]);
    }
}

void CommandYesNo::ReadFields(ByteReader& in) {
    for (std::size_t i = 0; i < kEntries; ++i) {
        choices_[i] = in.ReadString();
        nodes_[i] = in.ReadString();
    }
}

CommandGoto::CommandGoto(std::string node) : NodeCommand(kCommandGoto), node_(std::move(node)) {
    SetText("goto " + node_);
}

void CommandGoto::WriteFields(ByteWriter& out) const {
    out.WriteString(node_);
}

void CommandGoto::ReadFields(ByteReader& in) {
    node_ = in.ReadString();
}

CommandReply::CommandReply(std::string variable)
    : NodeCommand(kCommandReply), variable_(std::move(variable)) {
    SetText(std::string(kReplyPrefix) + variable_);
}

void CommandReply::AfterRead() {
    const std::string& text = GetText();
    const bool hasPrefix =
        text.size() >= kReplyPrefix.size() &&
        EqualsNoCase(std::string_view(text).substr(0, kReplyPrefix.size()), kReplyPrefix);
    variable_ = hasPrefix ? text.substr(kReplyPrefix.size()) : std::string();
}

CommandList::CommandList(Strings choices, Strings nodes, Conditions conditions,
                         std::string returnChoice, std::string returnNode)
    : NodeCommand(kCommandList),
      choices_(std::move(choices)),
      nodes_(std::move(nodes)),
      conditions_(std::move(conditions)),
      returnChoice_(std::move(returnChoice)),
      returnNode_(std::move(returnNode)) {
    SetText(BuildListText(*this));
}

void CommandList::WriteFields(ByteWriter& out) const {
    for (std::size_t i = 0; i < kEntries; ++i) {
        out.WriteString(choices_[i]);
        out.WriteString(nodes_[i]);
        out.WriteString(conditions_[i].GetExpression());
    }
    out.WriteString(returnChoice_);
    out.WriteString(returnNode_);
}

void CommandList::ReadFields(ByteReader& in) {
    for (std::size_t i = 0; i < kEntries; ++i) {
        choices_[i] = in.ReadString();
        nodes_[i] = in.ReadString();
        conditions_[i].SetExpression(in.ReadString());
    }
    returnChoice_ = in.ReadString();
    returnNode_ = in.ReadString();
}

std::unique_ptr<NodeCommand> MakeEmptyCommand(std::int32_t type) {
    switch (type) {
        case kCommandManual:
            return std::make_unique<CommandManual>();
        case kCommandFlag:
            return std::make_unique<CommandFlag>();
        case kCommandConditionalVariable:
            return std::make_unique<CommandConditionalVariable>();
        case kCommandVariable:
            return std::make_unique<CommandVariable>();
        case kCommandYesNo:
            return std::make_unique<CommandYesNo>();
        case kCommandEnd:
            return std::make_unique<CommandEnd>();
        case kCommandGoto:
            return std::make_unique<CommandGoto>();
        case kCommandReply:
            return std::make_unique<CommandReply>();
        case kCommandList:
            return std::make_unique<CommandList>();
        default:
            return nullptr;
    }
}

}  // namespace tw
