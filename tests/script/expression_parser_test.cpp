#include "script/expression_parser.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "script/compile.h"
#include "script/lexer.h"
#include "script/script_errors.h"

namespace tw {
namespace {

std::string ConditionError(std::string_view line) {
    try {
        ParseCondition(line);
    } catch (const SyntaxError& e) {
        return e.GetMessage();
    }
    return {};
}

Value Evaluate(std::string_view line) {
    return ParseCondition(line)->Evaluate(Environment());
}

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

std::string Nested(int depth, std::string_view core) {
    return Repeat("(", depth) + std::string(core) + Repeat(")", depth);
}

TEST(ParserTest, RefusesAResultTokenItDoesNotHold) {
    EXPECT_THROW(Parser(TokenList{Token::Result(0)}).Parse(), std::logic_error);
    TokenList tokens{Token::Integer(1), Token::Operator("+"), Token::Result(7)};
    EXPECT_THROW(Parser(std::move(tokens)).Parse(), std::logic_error);
}

TEST(ParserTest, ParsesItsListOnce) {
    Parser parser(TokenList{Token::Integer(1), Token::Operator("+"), Token::Integer(2)});
    EXPECT_EQ(parser.Parse()->Evaluate(Environment()), Value(3));
    EXPECT_THROW(parser.Parse(), std::logic_error);
    EXPECT_THROW(parser.Append(Token::Integer(3)), std::logic_error);
}

// Finished parsers leave their slot lists to later ones: parsers alive at once, and parsers
// after a failed or a very long parse, each still see only their own tokens.
TEST(ParserTest, ParsersAliveAtOnceKeepTheirOwnTokens) {
    Parser outer;
    outer.Append(Token::Integer(6));
    outer.Append(Token::Operator("*"));
    {
        Parser failing(TokenList{Token::Integer(1), Token::Operator("+")});
        EXPECT_THROW(failing.Parse(), SyntaxError);
    }
    Parser inner(TokenList{Token::Delimiter('('), Token::Integer(2), Token::Delimiter(')')});
    outer.Append(Token::Integer(7));
    EXPECT_EQ(inner.Parse()->Evaluate(Environment()), Value(2));
    EXPECT_EQ(outer.Parse()->Evaluate(Environment()), Value(42));
    EXPECT_EQ(Evaluate("1" + Repeat(" + 1", 999)), Value(1000));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(Evaluate("(" + std::to_string(i) + ") - 1"), Value(i - 1));
        EXPECT_EQ(ConditionError("1 2"),
                  "Malformed expression (does not reduce to a single value)");
    }
}

// A walk quadratic in the line's length would take hours here (the test's time limit).
TEST(ParserTest, MegabyteLinesParse) {
    // Deeply nested groups side by side, joined by operators up to the depth limit.
    const std::string group = Nested(100, "1");
    const std::string allowed = group + Repeat(" + " + group, kMaxExpressionDepth - 1);
    EXPECT_EQ(Evaluate(allowed), Value(kMaxExpressionDepth));
    EXPECT_EQ(ConditionError(allowed + " + " + group), "Expression nested too deeply");
    const std::string text(4'000'000, 'a');
    EXPECT_EQ(Evaluate("'" + text + "'").GetString().size(), text.size());
    EXPECT_EQ(ConditionError("1" + Repeat(" + 1", 300'000)), "Expression nested too deeply");
    EXPECT_EQ(ConditionError(Repeat("1 ", 500'000)),
              "Malformed expression (does not reduce to a single value)");
}

}  // namespace
}  // namespace tw
