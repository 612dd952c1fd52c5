#pragma once

#include <memory>
#include <string>

#include "script/expression.h"
#include "script/value.h"

namespace tw {

enum class TokenKind : int {
    Delimiter = 0,
    Keyword = 1,
    Identifier = 2,
    Operator = 3,
    Literal = 4,
    Result = 5,
};

// One piece of a script line, as the lexer cuts it.
class Token {
public:
    Token(std::string text, TokenKind kind) : text_(std::move(text)), kind_(kind) {}
    virtual ~Token() = default;
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;

    std::string GetText() const { return text_; }
    const std::string& Text() const { return text_; }
    TokenKind GetKind() const { return kind_; }

private:
    std::string text_;
    TokenKind kind_;
};

// '(', ')' or ','.
class TokenDelimeter : public Token {
public:
    explicit TokenDelimeter(char c) : Token(std::string(1, c), TokenKind::Delimiter) {}
};

// A reserved word such as "if" or "goto", in the case it was written.
class TokenKeyword : public Token {
public:
    explicit TokenKeyword(std::string text) : Token(std::move(text), TokenKind::Keyword) {}
};

// A flag name, or a variable name with its '$'.
class TokenIdentifier : public Token {
public:
    explicit TokenIdentifier(std::string text) : Token(std::move(text), TokenKind::Identifier) {}
};

// An operator symbol with the precedence, unary flag and type of its table row.
class TokenOperator : public Token {
public:
    // Throws SyntaxError when the symbol is not in the operator table.
    explicit TokenOperator(std::string symbol);

    int GetOperatorType() const { return type_; }
    bool IsUnaryOperator() const { return unary_; }
    int GetPrecedence() const { return precedence_; }
    void SetUnary(bool unary) { unary_ = unary; }
    void SetPrecedence(int precedence) { precedence_ = precedence; }

private:
    int type_ = 0;
    bool unary_ = false;
    int precedence_ = 0;
};

// A number, string or boolean constant.
class TokenLiteral : public Token {
public:
    explicit TokenLiteral(Value value);
    Value GetValue() const { return value_; }

private:
    Value value_;
};

// A finished sub-expression standing in the parser's token list.
class TokenResult : public Token {
public:
    explicit TokenResult(std::unique_ptr<Expression> expression)
        : Token(std::string(), TokenKind::Result), expression_(std::move(expression)) {}
    const Expression* GetExpression() const { return expression_.get(); }
    std::unique_ptr<Expression> TakeExpression() { return std::move(expression_); }

private:
    std::unique_ptr<Expression> expression_;
};

bool IsKeyword(const Token& token, std::string_view keyword);
bool IsDelimiter(const Token& token, char c);

}  // namespace tw
