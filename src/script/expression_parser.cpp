#include "script/expression_parser.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "script/excerpt.h"
#include "script/operator_table.h"
#include "script/operators.h"
#include "script/script_errors.h"

namespace tw {
namespace {

bool IsOperatorAt(const Token& token, int level) {
    return token.GetKind() == TokenKind::Operator &&
           static_cast<const TokenOperator&>(token).GetPrecedence() == level;
}

// Levels whose operators group from the right.
bool WalksBackwards(int level) {
    return level == 2 || level == 15 || level == 16;
}

}  // namespace

bool IsValueToken(const Token& token) {
    const TokenKind kind = token.GetKind();
    return kind == TokenKind::Identifier || kind == TokenKind::Literal || kind == TokenKind::Result;
}

std::unique_ptr<Expression> Parser::TokenToExpression(Token& token) {
    switch (token.GetKind()) {
        case TokenKind::Delimiter:
            throw SyntaxError("Malformed expression (unexpected delimeter '" +
                              Excerpt(token.Text()) + "')");
        case TokenKind::Identifier:
            return std::make_unique<ExprVariable>(token.Text());
        case TokenKind::Keyword:
            throw SyntaxError("Malformed expression (unexpected keyword '" + Excerpt(token.Text()) +
                              "')");
        case TokenKind::Literal:
            return std::make_unique<ExprConstant>(static_cast<TokenLiteral&>(token).GetValue());
        case TokenKind::Operator:
            throw SyntaxError("Malformed expression (unexpected operator '" +
                              Excerpt(token.Text()) + "')");
        case TokenKind::Result:
            return static_cast<TokenResult&>(token).TakeExpression();
    }
    throw SyntaxError("Malformed expression (unexpected token '" + Excerpt(token.Text()) + "')");
}

std::unique_ptr<Expression> Parser::Parse() {
    if (tokens_.empty()) {
        return nullptr;
    }
    GroupParentheses();
    if (tokens_.size() > 1) {
        ReduceOperators();
        if (tokens_.size() != 1) {
            throw SyntaxError("Malformed expression (does not reduce to a single value)");
        }
    }
    return TokenToExpression(*tokens_.front());
}

// Groups are folded innermost first, each the moment its ')' is reached, so every token is
// moved once and deep nesting costs no recursion. Errors come in the order of a walk that
// parses each outermost group at its ')': first the groups before a stray ')' or before an
// unclosed '(', then the mismatch itself.
void Parser::GroupParentheses() {
    const char* failure = nullptr;
    const Position limit = CheckParentheses(failure);
    std::vector<Position> open;
    for (Position at = tokens_.begin(); at != limit; ++at) {
        if (IsDelimiter(**at, '(')) {
            open.push_back(at);
        } else if (IsDelimiter(**at, ')')) {
            at = CloseGroup(open.back(), at);
            open.pop_back();
        }
    }
    if (failure != nullptr) {
        throw SyntaxError(failure);
    }
}

// Answers where the well-formed part of the list ends, and in `failure` the mismatch
// found there, if any.
Parser::Position Parser::CheckParentheses(const char*& failure) {
    int depth = 0;
    Position unclosed = tokens_.end();
    for (Position at = tokens_.begin(); at != tokens_.end(); ++at) {
        if (IsDelimiter(**at, '(')) {
            if (depth == 0) {
                unclosed = at;
            }
            if (++depth > kMaxParenthesisDepth) {
                throw SyntaxError("Expression nested too deeply");
            }
        } else if (IsDelimiter(**at, ')') && --depth < 0) {
            failure = "Parentheses mismatch: unexpected ')'";
            return at;
        }
    }
    if (depth > 0) {
        failure = "Parentheses mismatch: missing ')'";
        return unclosed;
    }
    return tokens_.end();
}

// Parses the tokens between a '(' and its ')' and puts the result where the ')' was.
Parser::Position Parser::CloseGroup(Position open, Position close) {
    TokenList inner;
    inner.splice(inner.end(), tokens_, std::next(open), close);
    tokens_.erase(open);
    std::unique_ptr<Expression> expression = Parser(std::move(inner)).Parse();
    if (!expression) {
        throw SyntaxError("Empty expression not allowed");
    }
    *close = std::make_unique<TokenResult>(std::move(expression));
    return close;
}

void Parser::ReduceOperators() {
    for (int level = 1; level <= kLowestPrecedence; ++level) {
        ReduceLevel(level);
    }
}

void Parser::ReduceLevel(int level) {
    if (!WalksBackwards(level)) {
        for (Position at = tokens_.begin(); at != tokens_.end();) {
            at = IsOperatorAt(**at, level) ? ReduceOperator(at, false) : std::next(at);
        }
        return;
    }
    Position at = tokens_.end();
    while (at != tokens_.begin()) {
        --at;
        if (IsOperatorAt(**at, level)) {
            at = ReduceOperator(at, true);
        }
    }
}

// Answers the position the walk continues from: for a forward walk the next token to look
// at, for a backward walk the token whose predecessor is looked at next.
Parser::Position Parser::ReduceOperator(Position at, bool backwards) {
    auto& token = static_cast<TokenOperator&>(**at);
    const bool hasLeft = at != tokens_.begin() && IsValueToken(**std::prev(at));
    if (hasLeft && token.GetOperatorType() == operator_type::kMinus && token.GetPrecedence() == 2) {
        // A minus after a value subtracts; it is reduced later together with "+".
        token.SetPrecedence(kBinaryMinusPrecedence);
        token.SetUnary(false);
        return backwards ? at : std::next(at);
    }
    const Position next = std::next(at);
    if (next == tokens_.end()) {
        throw SyntaxError("Operator '" + token.Text() + "' has missing or invalid operand" +
                          (hasLeft ? "s" : ""));
    }
    std::unique_ptr<Expression> right = TokenToExpression(**next);
    std::unique_ptr<Operator> op = CreateOperator(token.GetOperatorType(), token.Text());
    std::unique_ptr<Expression> result;
    if (hasLeft) {
        std::unique_ptr<Expression> left = TokenToExpression(**std::prev(at));
        if (std::max(left->Depth(), right->Depth()) >= kMaxExpressionDepth) {
            throw SyntaxError("Expression nested too deeply");
        }
        result = std::make_unique<ExprBinary>(std::move(op), std::move(left), std::move(right));
        tokens_.erase(std::prev(at));
    } else {
        if (right->Depth() >= kMaxExpressionDepth) {
            throw SyntaxError("Expression nested too deeply");
        }
        result = std::make_unique<ExprUnary>(std::move(op), std::move(right));
    }
    tokens_.erase(next);
    *at = std::make_unique<TokenResult>(std::move(result));
    return backwards ? at : std::next(at);
}

}  // namespace tw
