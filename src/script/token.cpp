#include "script/token.h"

#include "script/byte_string.h"
#include "script/operator_table.h"
#include "script/script_errors.h"

namespace tw {

TokenOperator::TokenOperator(std::string symbol) : Token(symbol, TokenKind::Operator) {
    const OperatorTableEntry* entry = FindOperator(symbol);
    if (entry == nullptr) {
        throw SyntaxError("Internal error: tried to create invalid operator '" + symbol + "'");
    }
    type_ = entry->type;
    unary_ = entry->unary != 0;
    precedence_ = entry->precedence;
}

TokenLiteral::TokenLiteral(Value value)
    : Token(value.ToString(), TokenKind::Literal), value_(std::move(value)) {}

bool IsKeyword(const Token& token, std::string_view keyword) {
    return token.GetKind() == TokenKind::Keyword && EqualsNoCase(token.Text(), keyword);
}

bool IsDelimiter(const Token& token, char c) {
    return token.GetKind() == TokenKind::Delimiter && token.Text().size() == 1 &&
           token.Text()[0] == c;
}

}  // namespace tw
