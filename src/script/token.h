#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "script/value.h"

namespace tw {

struct OperatorTableEntry;

enum class TokenKind : int {
    Delimiter = 0,
    Keyword = 1,
    Identifier = 2,
    Operator = 3,
    Literal = 4,
    Result = 5,
};

// The reserved words, so that the statement parser dispatches without comparing text.
enum class KeywordCode : std::uint8_t { If, Then, Else, Rem, Goto, Set, Branch, End, Reply, List };

// One piece of a script line, as the lexer cuts it. A plain value: its text is a view of
// the line it was cut from, so a token must not outlive that line.
class Token {
public:
    // '(', ')' or ','.
    static Token Delimiter(char c);
    // A reserved word such as "if" or "goto", in the case it was written; throws
    // std::invalid_argument for any other word.
    static Token Keyword(std::string_view text);
    static Token Keyword(std::string_view text, KeywordCode code);
    // A flag name, or a variable name with its '$'.
    static Token Identifier(std::string_view text);
    // An operator symbol as written; throws SyntaxError when it is not in the operator table.
    static Token Operator(std::string_view symbol);
    static Token Operator(std::string_view symbol, const OperatorTableEntry& entry);
    // Constants. A string literal's text is its contents, a view of the line.
    static Token Integer(std::int32_t value);
    static Token Real(double value);
    static Token Boolean(bool value);
    static Token String(std::string_view contents);
    // A finished sub-expression standing in a parser's token list: the index of the
    // expression in that parser.
    static Token Result(std::uint32_t index);

    TokenKind GetKind() const { return kind_; }
    // The text the token stands for: a literal's is its value's text form, a result's is
    // empty.
    std::string GetText() const;
    // The characters as written; for a literal other than a string not its text form.
    std::string_view View() const { return text_; }
    // Whether GetText() equals the text, without making the string where it can.
    bool TextEquals(std::string_view text) const;

    KeywordCode GetKeyword() const { return keyword_; }

    int GetOperatorType() const { return operatorType_; }
    bool IsUnaryOperator() const { return unary_; }
    int GetPrecedence() const { return precedence_; }
    void SetUnary(bool unary) { unary_ = unary; }
    void SetPrecedence(int precedence) { precedence_ = static_cast<std::int8_t>(precedence); }

    Value GetValue() const;
    ValueType GetLiteralType() const { return literalType_; }

    std::uint32_t GetResultIndex() const { return static_cast<std::uint32_t>(integer_); }

private:
    Token(TokenKind kind, std::string_view text) : text_(text), kind_(kind) {}

    std::string_view text_;
    double real_ = 0.0;
    std::int64_t integer_ = 0;  // an integer or boolean literal, or a result's index
    TokenKind kind_;
    ValueType literalType_ = ValueType::Invalid;
    std::int8_t operatorType_ = 0;
    std::int8_t precedence_ = 0;
    bool unary_ = false;
    KeywordCode keyword_ = KeywordCode::If;
};

inline bool IsKeyword(const Token& token, KeywordCode keyword) {
    return token.GetKind() == TokenKind::Keyword && token.GetKeyword() == keyword;
}

inline bool IsDelimiter(const Token& token, char c) {
    return token.GetKind() == TokenKind::Delimiter && token.View().size() == 1 &&
           token.View()[0] == c;
}

// The code of a reserved word written in any case, or false when the word is none.
bool FindKeyword(std::string_view word, KeywordCode& code);

}  // namespace tw
