#pragma once

#include <list>
#include <memory>

#include "script/expression.h"
#include "script/token.h"

namespace tw {

// Deepest nesting of parenthesis groups in one expression.
inline constexpr int kMaxParenthesisDepth = 200;
// Deepest expression tree the parser builds; evaluation, checks and destruction recurse
// once per level, so a long operator chain must not grow the tree without bound.
inline constexpr int kMaxExpressionDepth = 2000;

using TokenList = std::list<std::unique_ptr<Token>>;

// Turns a flat token list into one expression tree: parenthesised groups first, then one
// sweep per precedence level from the tightest to the loosest.
class Parser {
public:
    explicit Parser(TokenList tokens) : tokens_(std::move(tokens)) {}

    // The expression, or null for an empty list; throws SyntaxError.
    std::unique_ptr<Expression> Parse();

    // Throws SyntaxError for tokens that are not values.
    static std::unique_ptr<Expression> TokenToExpression(Token& token);

private:
    using Position = TokenList::iterator;

    void GroupParentheses();
    Position CheckParentheses(const char*& failure);
    Position CloseGroup(Position open, Position close);
    void ReduceOperators();
    void ReduceLevel(int level);
    // Answers the position where the walk goes on from.
    Position ReduceOperator(Position at, bool backwards);

    TokenList tokens_;
};

// Whether a token can stand as an operand: an identifier, a literal or a result.
bool IsValueToken(const Token& token);

}  // namespace tw
