#pragma once

// The nine kinds of node command. Each is constructed empty (for reading) or from the
// fields of its editor dialog, from which it builds its script text.

#include <array>
#include <memory>
#include <string>

#include "model/node_command.h"

namespace tw {

// A statement typed by hand.
class CommandManual : public NodeCommand {
public:
    CommandManual() : NodeCommand(kCommandManual) {}
    explicit CommandManual(std::string text) : NodeCommand(kCommandManual, std::move(text)) {}
    std::string GetTypeName() const override { return "MANUAL"; }
};

// Sets or clears a flag.
class CommandFlag : public NodeCommand {
public:
    CommandFlag() : NodeCommand(kCommandFlag) {}
    CommandFlag(bool set, std::string flag);
    std::string GetTypeName() const override { return set_ ? "F_SET" : "F_CLEAR"; }
    bool IsSet() const { return set_; }
    const std::string& GetFlag() const { return flag_; }

protected:
    void WriteFields(ByteWriter& out) const override;
    void ReadFields(ByteReader& in) override;

private:
    bool set_ = false;
    std::string flag_;
};

// Assigns one of two expressions to a variable, chosen by a test.
class CommandConditionalVariable : public NodeCommand {
public:
    CommandConditionalVariable() : NodeCommand(kCommandConditionalVariable) {}
    CommandConditionalVariable(std::string variable, std::string test, std::string trueExpression,
                               std::string falseExpression);
    std::string GetTypeName() const override { return "CASSIGN"; }
    const std::string& GetVariable() const { return variable_; }
    const Conditional& GetTest() const { return test_; }
    const std::string& GetTrueExpression() const { return trueExpression_; }
    const std::string& GetFalseExpression() const { return falseExpression_; }

protected:
    void WriteFields(ByteWriter& out) const override;
    void ReadFields(ByteReader& in) override;

private:
    std::string variable_;
    Conditional test_;
    std::string trueExpression_;
    std::string falseExpression_;
};

// Assigns an expression to a variable.
class CommandVariable : public NodeCommand {
public:
    CommandVariable() : NodeCommand(kCommandVariable) {}
    CommandVariable(std::string variable, std::string expression);
    std::string GetTypeName() const override { return "ASSIGN"; }
    const std::string& GetVariable() const { return variable_; }
    const std::string& GetExpression() const { return expression_; }

protected:
    void WriteFields(ByteWriter& out) const override;
    void ReadFields(ByteReader& in) override;

private:
    std::string variable_;
    std::string expression_;
};

// Asks a two-way question.
class CommandYesNo : public NodeCommand {
public:
    static constexpr std::size_t kEntries = 2;
    using Strings = std::array<std::string, kEntries>;

    CommandYesNo() : NodeCommand(kCommandYesNo) {}
    CommandYesNo(Strings choices, Strings nodes);
    std::string GetTypeName() const override { return "BRANCH"; }
    const std::string& GetChoice(std::size_t index) const { return choices_.at(index); }
    const Strings& GetChoices() const { return choices_; }
    const std::string& GetNode(std::size_t index) const { return nodes_.at(index); }
    const Strings& GetNodes() const { return nodes_; }

protected:
    void WriteFields(ByteWriter& out) const override;
    void ReadFields(ByteReader& in) override;

private:
    Strings choices_;
    Strings nodes_;
};

// Ends the conversation.
class CommandEnd : public NodeCommand {
public:
    CommandEnd() : NodeCommand(kCommandEnd, "END CONVERSATION") {}
    std::string GetTypeName() const override { return "END"; }
};

// Continues at another node.
class CommandGoto : public NodeCommand {
public:
    CommandGoto() : NodeCommand(kCommandGoto) {}
    explicit CommandGoto(std::string node);
    std::string GetTypeName() const override { return "GOTO"; }
    const std::string& GetNode() const { return node_; }

protected:
    void WriteFields(ByteWriter& out) const override;
    void ReadFields(ByteReader& in) override;

private:
    std::string node_;
};

// Waits for a typed reply and stores it in a variable. The variable is not part of the
// stored layout; it is recovered from the script text when read.
class CommandReply : public NodeCommand {
public:
    CommandReply() : NodeCommand(kCommandReply) {}
    explicit CommandReply(std::string variable);
    std::string GetTypeName() const override { return "REPLY"; }
    const std::string& GetVariable() const { return variable_; }

protected:
    void AfterRead() override;

private:
    std::string variable_;
};

// Offers up to eleven conditional choices and a return choice.
class CommandList : public NodeCommand {
public:
    static constexpr std::size_t kEntries = 11;
    using Strings = std::array<std::string, kEntries>;
    using Conditions = std::array<Conditional, kEntries>;

    CommandList() : NodeCommand(kCommandList) {}
    CommandList(Strings choices, Strings nodes, Conditions conditions, std::string returnChoice,
                std::string returnNode);
    std::string GetTypeName() const override { return "BRANCH"; }
    const std::string& GetChoice(std::size_t index) const { return choices_.at(index); }
    const Strings& GetChoices() const { return choices_; }
    const std::string& GetNode(std::size_t index) const { return nodes_.at(index); }
    const Strings& GetNodes() const { return nodes_; }
    Conditional GetCondition(std::size_t index) const { return conditions_.at(index); }
    const Conditions& GetConditions() const { return conditions_; }
    const std::string& GetReturnChoice() const { return returnChoice_; }
    const std::string& GetReturnNode() const { return returnNode_; }
    using NodeCommand::GetCondition;

protected:
    void WriteFields(ByteWriter& out) const override;
    void ReadFields(ByteReader& in) override;

private:
    Strings choices_;
    Strings nodes_;
    Conditions conditions_;
    std::string returnChoice_;
    std::string returnNode_;
};

// An empty command of the kind with that code, or nullptr for a code outside 0 to 8.
std::unique_ptr<NodeCommand> MakeEmptyCommand(std::int32_t type);

// Puts '$' in front of a variable name that lacks it.
std::string WithDollar(std::string variable);

// The entry form of the branching kinds: "choice"->node.
std::string BranchEntry(const std::string& choice, const std::string& node);

}  // namespace tw
