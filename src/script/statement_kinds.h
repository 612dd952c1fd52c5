#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "script/statement.h"

namespace tw {

// name = expression
class AssignStatement : public Statement {
public:
    AssignStatement(std::string name, std::unique_ptr<Expression> value)
        : name_(std::move(name)), value_(std::move(value)) {}
    void Execute(Environment& environment) const override;
    bool Check(std::string& message) const override;
    const std::string& GetName() const { return name_; }
    const Expression& GetValue() const { return *value_; }

private:
    std::string name_;
    std::unique_ptr<Expression> value_;
};

// name = if condition then expression else expression
class CAssignStatement : public Statement {
public:
    CAssignStatement(std::string name, std::unique_ptr<Expression> condition,
                     std::unique_ptr<Expression> thenValue, std::unique_ptr<Expression> elseValue)
        : name_(std::move(name)),
          condition_(std::move(condition)),
          then_(std::move(thenValue)),
          else_(std::move(elseValue)) {}
    void Execute(Environment& environment) const override;
    bool Check(std::string& message) const override;
    const std::string& GetName() const { return name_; }
    const Expression& GetCondition() const { return *condition_; }
    const Expression& GetThen() const { return *then_; }
    const Expression& GetElse() const { return *else_; }

private:
    std::string name_;
    std::unique_ptr<Expression> condition_;
    std::unique_ptr<Expression> then_;
    std::unique_ptr<Expression> else_;
};

// set flag [=] expression
class SetStatement : public Statement {
public:
    SetStatement(std::string name, std::unique_ptr<Expression> value)
        : name_(std::move(name)), value_(std::move(value)) {}
    void Execute(Environment& environment) const override;
    bool Check(std::string& message) const override;
    const std::string& GetName() const { return name_; }
    const Expression& GetValue() const { return *value_; }

private:
    std::string name_;
    std::unique_ptr<Expression> value_;
};

// if condition then [statement] [else [statement]]
class IfStatement : public Statement {
public:
    IfStatement(std::unique_ptr<Expression> condition, std::unique_ptr<Statement> thenStatement,
                std::unique_ptr<Statement> elseStatement)
        : condition_(std::move(condition)),
          then_(std::move(thenStatement)),
          else_(std::move(elseStatement)) {}
    void Execute(Environment& environment) const override;
    bool Check(std::string& message) const override;
    const Expression& GetCondition() const { return *condition_; }
    const Statement* GetThen() const { return then_.get(); }
    const Statement* GetElse() const { return else_.get(); }

private:
    std::unique_ptr<Expression> condition_;
    std::unique_ptr<Statement> then_;
    std::unique_ptr<Statement> else_;
};

// goto node
class GotoStatement : public Statement {
public:
    explicit GotoStatement(std::string node) : node_(std::move(node)) {}
    void Execute(Environment& environment) const override;
    bool Check(std::string& message) const override;
    const std::string& GetNode() const { return node_; }

private:
    std::string node_;
};

// One offered choice: the text the player sees and the node it leads to.
struct Choice {
    std::string text;
    std::string node;
};

// branch 'choice' -> node, 'choice' -> node
class BranchStatement : public Statement {
public:
    BranchStatement(Choice first, Choice second)
        : first_(std::move(first)), second_(std::move(second)) {}
    void Execute(Environment& environment) const override;
    bool Check(std::string& message) const override;
    const Choice& GetFirst() const { return first_; }
    const Choice& GetSecond() const { return second_; }

private:
    Choice first_;
    Choice second_;
};

// list 'choice' -> node [if condition then], ... (up to 12 items)
class ListStatement : public Statement {
public:
    static constexpr std::size_t kMaxItems = 12;

    struct Item {
        Choice choice;
        std::unique_ptr<Expression> condition;  // null: always listed
    };

    // Items past the twelfth are dropped.
    void AddItem(Item item) {
        if (count_ < kMaxItems) {
            items_[count_++] = std::move(item);
        }
    }
    std::size_t GetItemCount() const { return count_; }
    void Execute(Environment& environment) const override;
    bool Check(std::string& message) const override;
    const Item& GetItem(std::size_t index) const { return items_.at(index); }

private:
    std::array<Item, kMaxItems> items_;
    std::size_t count_ = 0;
};

// reply $variable
class ReplyStatement : public Statement {
public:
    explicit ReplyStatement(std::string name) : name_(std::move(name)) {}
    void Execute(Environment& environment) const override;
    bool Check(std::string& message) const override;
    const std::string& GetName() const { return name_; }

private:
    std::string name_;
};

// end conversation
class EndStatement : public Statement {
public:
    void Execute(Environment& environment) const override;
    bool Check(std::string& message) const override;
};

// rem anything
class RemarkStatement : public Statement {
public:
    void Execute(Environment& environment) const override;
    bool Check(std::string& message) const override;
};

}  // namespace tw
