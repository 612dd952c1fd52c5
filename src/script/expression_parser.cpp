#include "script/expression_parser.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "script/excerpt.h"
#include "script/operator_table.h"
#include "script/operators.h"
#include "script/script_errors.h"

namespace tw {
namespace {

bool IsOperatorAt(const Token& token, int level) {
    return token.GetKind() == TokenKind::Operator && token.GetPrecedence() == level;
}

// Levels whose operators group from the right.
bool WalksBackwards(int level) {
    return level == 2 || level == 15 || level == 16;
}

bool IsParenthesis(const Token& token) {
    return IsDelimiter(token, '(') || IsDelimiter(token, ')');
}

}  // namespace

bool IsValueToken(const Token& token) {
    const TokenKind kind = token.GetKind();
    return kind == TokenKind::Identifier || kind == TokenKind::Literal || kind == TokenKind::Result;
}

std::unique_ptr<Expression> Parser::TokenToExpression(const Token& token) {
    switch (token.GetKind()) {
        case TokenKind::Delimiter:
            throw SyntaxError("Malformed expression (unexpected delimeter '" +
                              Excerpt(token.View()) + "')");
        case TokenKind::Identifier:
            return std::make_unique<ExprVariable>(token.View());
        case TokenKind::Keyword:
            throw SyntaxError("Malformed expression (unexpected keyword '" + Excerpt(token.View()) +
                              "')");
        case TokenKind::Literal:
            return std::make_unique<ExprConstant>(token.GetValue());
        case TokenKind::Operator:
            throw SyntaxError("Malformed expression (unexpected operator '" +
                              Excerpt(token.View()) + "')");
        case TokenKind::Result: {
            const std::uint32_t at = token.GetResultIndex();
            if (at >= slots_.size() || !slots_[at].result) {
                throw std::logic_error("result token of another parser, or used twice");
            }
            return std::move(slots_[at].result);
        }
    }
    throw SyntaxError("Malformed expression (unexpected token '" + Excerpt(token.GetText()) + "')");
}

std::vector<std::vector<Parser::Slot>>& Parser::SpareSlotLists() {
    thread_local std::vector<std::vector<Slot>> spare;
    return spare;
}

Parser::Parser() {
    std::vector<std::vector<Slot>>& spare = SpareSlotLists();
    if (!spare.empty()) {
        slots_ = std::move(spare.back());
        spare.pop_back();
    }
}

Parser::Parser(const TokenList& tokens) : Parser() {
    slots_.reserve(tokens.size() + 2);
    for (const Token& token : tokens) {
        Append(token);
    }
}

Parser::~Parser() {
    // A list grown by a huge line is not kept; a few lists cover parsers alive at once.
    constexpr std::size_t kMaxKeptSlots = 64;
    constexpr std::size_t kMaxKeptLists = 4;
    std::vector<std::vector<Slot>>& spare = SpareSlotLists();
    if (slots_.capacity() <= kMaxKeptSlots && spare.size() < kMaxKeptLists) {
        slots_.clear();
        spare.push_back(std::move(slots_));
    }
}

void Parser::Append(const Token& token) {
    if (parsed_) {
        throw std::logic_error("a parser parses its list once");
    }
    if (slots_.capacity() == 0) {
        // Room for the common expression and the two ends, so the list grows at most once.
        slots_.reserve(10);
    }
    slots_.push_back({token, 0, 0, nullptr});
}

std::unique_ptr<Expression> Parser::Parse() {
    if (parsed_) {
        throw std::logic_error("a parser parses its list once");
    }
    parsed_ = true;
    if (slots_.empty()) {
        return nullptr;
    }
    // Most expressions are one value; they need no links.
    if (slots_.size() == 1 && !IsParenthesis(TokenAt(0))) {
        return TokenToExpression(TokenAt(0));
    }
    LinkTokens();
    return ParseRange({count_, count_ + 1});
}

void Parser::LinkTokens() {
    count_ = static_cast<Position>(slots_.size());
    const Position head = count_;
    const Position tail = count_ + 1;
    for (Position at = 0; at < count_; ++at) {
        slots_[at].previous = at == 0 ? head : at - 1;
        slots_[at].next = at + 1 == count_ ? tail : at + 1;
    }
    // The ends hold no token the walks read.
    slots_.push_back({Token::Identifier({}), head, count_ == 0 ? tail : 0, nullptr});
    slots_.push_back({Token::Identifier({}), count_ == 0 ? head : count_ - 1, tail, nullptr});
}

void Parser::Unlink(Position at) {
    const Slot& slot = slots_[at];
    slots_[slot.previous].next = slot.next;
    slots_[slot.next].previous = slot.previous;
}

Token Parser::HoldResult(Position at, std::unique_ptr<Expression> expression) {
    slots_[at].result = std::move(expression);
    return Token::Result(at);
}

std::unique_ptr<Expression> Parser::ParseRange(Range range) {
    if (Next(range.head) == range.tail) {
        return nullptr;
    }
    GroupParentheses(range);
    if (Next(Next(range.head)) != range.tail) {
        ReduceOperators(range);
        const Position only = Next(range.head);
        if (only == range.tail || Next(only) != range.tail) {
            throw SyntaxError("Malformed expression (does not reduce to a single value)");
        }
    }
    return TokenToExpression(TokenAt(Next(range.head)));
}

// Groups are folded innermost first, each the moment its ')' is reached, so every token is
// visited a bounded number of times and deep nesting costs no recursion. Errors come in the
// order of a walk that parses each outermost group at its ')': first the groups before a
// stray ')' or before an unclosed '(', then the mismatch itself.
void Parser::GroupParentheses(Range range) {
    const char* failure = nullptr;
    const Position limit = CheckParentheses(range, failure);
    // The check bounds the nesting, so the open groups fit here.
    std::array<Position, kMaxParenthesisDepth> open;
    std::size_t openCount = 0;
    for (Position at = Next(range.head); at != limit; at = Next(at)) {
        if (IsDelimiter(TokenAt(at), '(')) {
            open[openCount++] = at;
        } else if (IsDelimiter(TokenAt(at), ')')) {
            at = CloseGroup(open[--openCount], at);
        }
    }
    if (failure != nullptr) {
        throw SyntaxError(failure);
    }
}

// Answers where the well-formed part of the range ends, and in `failure` the mismatch
// found there, if any.
Parser::Position Parser::CheckParentheses(Range range, const char*& failure) {
    int depth = 0;
    Position unclosed = range.tail;
    for (Position at = Next(range.head); at != range.tail; at = Next(at)) {
        if (IsDelimiter(TokenAt(at), '(')) {
            if (depth == 0) {
                unclosed = at;
            }
            if (++depth > kMaxParenthesisDepth) {
                throw SyntaxError("Expression nested too deeply");
            }
        } else if (IsDelimiter(TokenAt(at), ')') && --depth < 0) {
            failure = "Parentheses mismatch: unexpected ')'";
            return at;
        }
    }
    if (depth > 0) {
        failure = "Parentheses mismatch: missing ')'";
        return unclosed;
    }
    return range.tail;
}

// Parses the tokens between a '(' and its ')' and puts the result where the ')' was.
Parser::Position Parser::CloseGroup(Position open, Position close) {
    std::unique_ptr<Expression> expression = ParseRange({open, close});
    if (!expression) {
        throw SyntaxError("Empty expression not allowed");
    }
    // The '(' goes, and with it what is left of the group's tokens.
    const Position before = Previous(open);
    slots_[before].next = close;
    slots_[close].previous = before;
    TokenAt(close) = HoldResult(close, std::move(expression));
    return close;
}

void Parser::ReduceOperators(Range range) {
    for (int level = 1; level <= kLowestPrecedence; ++level) {
        ReduceLevel(range, level);
    }
}

void Parser::ReduceLevel(Range range, int level) {
    if (!WalksBackwards(level)) {
        for (Position at = Next(range.head); at != range.tail;) {
            at = IsOperatorAt(TokenAt(at), level) ? ReduceOperator(range, at, false) : Next(at);
        }
        return;
    }
    Position at = range.tail;
    while (Previous(at) != range.head) {
        at = Previous(at);
        if (IsOperatorAt(TokenAt(at), level)) {
            at = ReduceOperator(range, at, true);
        }
    }
}

// Answers the position the walk continues from: for a forward walk the next token to look
// at, for a backward walk the token whose predecessor is looked at next.
Parser::Position Parser::ReduceOperator(Range range, Position at, bool backwards) {
    Token& token = TokenAt(at);
    const Position left = Previous(at);
    const bool hasLeft = left != range.head && IsValueToken(TokenAt(left));
    if (hasLeft && token.GetOperatorType() == operator_type::kMinus && token.GetPrecedence() == 2) {
        // A minus after a value subtracts; it is reduced later together with "+".
        token.SetPrecedence(kBinaryMinusPrecedence);
        token.SetUnary(false);
        return backwards ? at : Next(at);
    }
    const Position right = Next(at);
    if (right == range.tail) {
        throw SyntaxError("Operator '" + token.GetText() + "' has missing or invalid operand" +
                          (hasLeft ? "s" : ""));
    }
    std::unique_ptr<Expression> rightOperand = TokenToExpression(TokenAt(right));
    std::unique_ptr<Operator> op = CreateOperator(token.GetOperatorType(), token.View());
    std::unique_ptr<Expression> result;
    if (hasLeft) {
        std::unique_ptr<Expression> leftOperand = TokenToExpression(TokenAt(left));
        if (std::max(leftOperand->Depth(), rightOperand->Depth()) >= kMaxExpressionDepth) {
            throw SyntaxError("Expression nested too deeply");
        }
        result = std::make_unique<ExprBinary>(std::move(op), std::move(leftOperand),
                                              std::move(rightOperand));
        Unlink(left);
    } else {
        if (rightOperand->Depth() >= kMaxExpressionDepth) {
            throw SyntaxError("Expression nested too deeply");
        }
        result = std::make_unique<ExprUnary>(std::move(op), std::move(rightOperand));
    }
    Unlink(right);
    TokenAt(at) = HoldResult(at, std::move(result));
    return backwards ? at : Next(at);
}

}  // namespace tw
