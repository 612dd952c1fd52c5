#pragma once

#include <memory>
#include <string>

#include "script/environment.h"
#include "script/value.h"

namespace tw {

class Operator;

// A node of an expression tree: checked statically, evaluated against an environment.
class Expression {
public:
    virtual ~Expression() = default;

    virtual Value Evaluate(const Environment& environment) const = 0;
    // The static check; on false `message` says why. Never throws.
    virtual bool Check(std::string& message) const = 0;
    // Whether the expression yields a boolean rather than a non-boolean value.
    virtual bool IsBoolean() const = 0;
    // Levels from this node down to its deepest leaf (a leaf is 1).
    virtual int Depth() const { return 1; }
};

// A constant value.
class ExprConstant : public Expression {
public:
    explicit ExprConstant(Value value) : value_(std::move(value)) {}
    Value Evaluate(const Environment& environment) const override;
    bool Check(std::string& message) const override;
    bool IsBoolean() const override { return value_.IsBoolean(); }
    Value GetValue() const { return value_; }

private:
    Value value_;
};

// A flag or variable read from the environment.
class ExprVariable : public Expression {
public:
    explicit ExprVariable(std::string_view name);
    Value Evaluate(const Environment& environment) const override;
    bool Check(std::string& message) const override;
    bool IsBoolean() const override;
    std::string GetName() const { return name_; }

private:
    std::string name_;
};

// An operator applied to one operand.
class ExprUnary : public Expression {
public:
    ExprUnary(std::unique_ptr<Operator> op, std::unique_ptr<Expression> operand);
    ~ExprUnary() override;
    Value Evaluate(const Environment& environment) const override;
    bool Check(std::string& message) const override;
    bool IsBoolean() const override;
    const Expression& GetOperand() const { return *operand_; }
    int Depth() const override { return depth_; }

private:
    std::unique_ptr<Operator> operator_;
    std::unique_ptr<Expression> operand_;
    int depth_;
};

// An operator applied to two operands; both are always evaluated.
class ExprBinary : public Expression {
public:
    ExprBinary(std::unique_ptr<Operator> op, std::unique_ptr<Expression> left,
               std::unique_ptr<Expression> right);
    ~ExprBinary() override;
    Value Evaluate(const Environment& environment) const override;
    bool Check(std::string& message) const override;
    bool IsBoolean() const override;
    const Expression& GetLeft() const { return *left_; }
    const Expression& GetRight() const { return *right_; }
    int Depth() const override { return depth_; }

private:
    std::unique_ptr<Operator> operator_;
    std::unique_ptr<Expression> left_;
    std::unique_ptr<Expression> right_;
    int depth_;
};

}  // namespace tw
