#include "script/token.h"

#include <array>
#include <stdexcept>

#include "base/byte_string.h"
#include "script/operator_table.h"
#include "script/script_errors.h"

namespace tw {
namespace {

// In the order of KeywordCode.
constexpr std::array<std::string_view, 10> kKeywords{"if",  "then",   "else", "rem",   "goto",
                                                     "set", "branch", "end",  "reply", "list"};
static_assert(kKeywords.size() == static_cast<std::size_t>(KeywordCode::List) + 1);

// Delimiter tokens view these, since a token does not own its text.
constexpr std::string_view kDelimiters = "(),";

}  // namespace

bool FindKeyword(std::string_view word, KeywordCode& code) {
    if (word.empty()) {
        return false;
    }
    const char first = ToLowerAscii(word.front());
    for (std::size_t i = 0; i < kKeywords.size(); ++i) {
        // Length and first letter rule out nearly every keyword without a call.
        const std::string_view keyword = kKeywords[i];
        if (keyword.size() == word.size() && keyword.front() == first &&
            EqualsNoCase(keyword, word)) {
            code = static_cast<KeywordCode>(i);
            return true;
        }
    }
    return false;
}

Token Token::Delimiter(char c) {
    switch (c) {
        case '(':
            return Token(TokenKind::Delimiter, kDelimiters.substr(0, 1));
        case ')':
            return Token(TokenKind::Delimiter, kDelimiters.substr(1, 1));
        case ',':
            return Token(TokenKind::Delimiter, kDelimiters.substr(2, 1));
        default:
            throw std::invalid_argument("not a delimiter");
    }
}

Token Token::Keyword(std::string_view text) {
    KeywordCode code = KeywordCode::If;
    if (!FindKeyword(text, code)) {
        throw std::invalid_argument("not a keyword");
    }
    return Keyword(text, code);
}

Token Token::Keyword(std::string_view text, KeywordCode code) {
    Token token(TokenKind::Keyword, text);
    token.keyword_ = code;
    return token;
}

Token Token::Identifier(std::string_view text) {
    return Token(TokenKind::Identifier, text);
}

Token Token::Operator(std::string_view symbol) {
    const OperatorTableEntry* entry = FindOperator(symbol);
    if (entry == nullptr) {
        throw SyntaxError("Internal error: tried to create invalid operator '" +
                          std::string(symbol) + "'");
    }
    return Operator(symbol, *entry);
}

Token Token::Operator(std::string_view symbol, const OperatorTableEntry& entry) {
    Token token(TokenKind::Operator, symbol);
    token.operatorType_ = static_cast<std::int8_t>(entry.type);
    token.unary_ = entry.unary != 0;
    token.precedence_ = static_cast<std::int8_t>(entry.precedence);
    return token;
}

Token Token::Integer(std::int32_t value) {
    Token token(TokenKind::Literal, {});
    token.literalType_ = ValueType::Integer;
    token.integer_ = value;
    return token;
}

Token Token::Real(double value) {
    Token token(TokenKind::Literal, {});
    token.literalType_ = ValueType::Real;
    token.real_ = value;
    return token;
}

Token Token::Boolean(bool value) {
    Token token(TokenKind::Literal, {});
    token.literalType_ = ValueType::Boolean;
    token.integer_ = value ? 1 : 0;
    return token;
}

Token Token::String(std::string_view contents) {
    Token token(TokenKind::Literal, contents);
    token.literalType_ = ValueType::String;
    return token;
}

Token Token::Result(std::uint32_t index) {
    Token token(TokenKind::Result, {});
    token.integer_ = index;
    return token;
}

Value Token::GetValue() const {
    switch (literalType_) {
        case ValueType::Integer:
            return Value(static_cast<std::int32_t>(integer_));
        case ValueType::Real:
            return Value(real_);
        case ValueType::Boolean:
            return Value(integer_ != 0);
        case ValueType::String:
            return Value(std::string(text_));
        case ValueType::Invalid:
            break;
    }
    return Value();
}

std::string Token::GetText() const {
    if (kind_ == TokenKind::Literal) {
        return GetValue().ToString();
    }
    return std::string(text_);
}

bool Token::TextEquals(std::string_view text) const {
    if (kind_ == TokenKind::Literal && literalType_ != ValueType::String) {
        return GetText() == text;
    }
    return text_ == text;
}

}  // namespace tw
