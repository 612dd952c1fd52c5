#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "script/expression.h"
#include "script/token.h"

namespace tw {

// Deepest nesting of parenthesis groups in one expression.
inline constexpr int kMaxParenthesisDepth = 200;
// Deepest expression tree the parser builds; evaluation, checks and destruction recurse
// once per level, so a long operator chain must not grow the tree without bound.
inline constexpr int kMaxExpressionDepth = 2000;

using TokenList = std::vector<Token>;

// Turns a flat token list into one expression tree: parenthesised groups first, then one
// sweep per precedence level from the tightest to the loosest.
//
// The tokens stay where they are in one vector and are linked both ways by index, so that
// reducing an operator unlinks its operands without moving anything. A group is parsed in
// place, its '(' and ')' standing as the ends of the list while it is.
class Parser {
public:
    Parser();
    explicit Parser(const TokenList& tokens);
    ~Parser();
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // Adds a token at the end of the list.
    void Append(const Token& token);
    // The expression, or null for an empty list; throws SyntaxError. Once only.
    std::unique_ptr<Expression> Parse();

    // Throws SyntaxError for tokens that are not values; a result token hands over the
    // expression this parser holds for it.
    std::unique_ptr<Expression> TokenToExpression(const Token& token);

private:
    using Position = std::uint32_t;
    // A token, its neighbours, and the expression of the result token standing there.
    struct Slot {
        Token token;
        Position previous = 0;
        Position next = 0;
        std::unique_ptr<Expression> result;
    };
    // The tokens strictly between two positions.
    struct Range {
        Position head;
        Position tail;
    };

    // Parsing is done line after line: a finished parser leaves its slot list, emptied, to
    // the next one on the same thread, so that most parsers allocate none.
    static std::vector<std::vector<Slot>>& SpareSlotLists();

    void LinkTokens();
    std::unique_ptr<Expression> ParseRange(Range range);
    void GroupParentheses(Range range);
    Position CheckParentheses(Range range, const char*& failure);
    Position CloseGroup(Position open, Position close);
    void ReduceOperators(Range range);
    void ReduceLevel(Range range, int level);
    // Answers the position where the walk goes on from.
    Position ReduceOperator(Range range, Position at, bool backwards);
    Token HoldResult(Position at, std::unique_ptr<Expression> expression);
    void Unlink(Position at);
    Position Next(Position at) const { return slots_[at].next; }
    Position Previous(Position at) const { return slots_[at].previous; }

    Token& TokenAt(Position at) { return slots_[at].token; }

    // One per token, then (once parsing starts) the two ends of the whole list. A result
    // token carries its own position, where its expression is held.
    std::vector<Slot> slots_;
    Position count_ = 0;
    bool parsed_ = false;
};

// Whether a token can stand as an operand: an identifier, a literal or a result.
bool IsValueToken(const Token& token);

}  // namespace tw
