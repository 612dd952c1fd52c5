#include "script/expression_parser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "script/lexer.h"
#include "script_test_support.h"

namespace tw {
namespace {

using test::ConditionError;
using test::Evaluate;

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

TEST(ParserTest, EmptyListGivesNothing) {
    EXPECT_EQ(Parser(TokenList()).Parse(), nullptr);
    EXPECT_EQ(ParseCondition("  "), nullptr);
}

TEST(ParserTest, GroupsBecomeResultOperands) {
    TokenList tokens{Token::Delimiter('('), Token::Integer(2),     Token::Delimiter(')'),
                     Token::Operator("*"),  Token::Delimiter('('), Token::Real(0.5),
                     Token::Operator("+"),  Token::Integer(1),     Token::Delimiter(')')};
    EXPECT_EQ(Parser(std::move(tokens)).Parse()->Evaluate(Environment()), Value(3.0));
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

TEST(ParserTest, ALoneTokenMustBeAValue) {
    struct Case {
        Token token;
        const char* message;
    };
    const Case cases[] = {
        {Token::Delimiter(','), "Malformed expression (unexpected delimeter ',')"},
        {Token::Delimiter('('), "Parentheses mismatch: missing ')'"},
        {Token::Delimiter(')'), "Parentheses mismatch: unexpected ')'"},
        {Token::Keyword("Then"), "Malformed expression (unexpected keyword 'Then')"},
        {Token::Operator("Or"), "Malformed expression (unexpected operator 'Or')"},
    };
    for (const Case& c : cases) {
        try {
            Parser(TokenList{c.token}).Parse();
            ADD_FAILURE() << c.message;
        } catch (const SyntaxError& e) {
            EXPECT_EQ(e.GetMessage(), c.message);
        }
    }
    Environment environment;
    environment.Set("$x", 4);
    EXPECT_EQ(Parser(TokenList{Token::Identifier("$x")}).Parse()->Evaluate(environment), Value(4));
    EXPECT_EQ(Parser(TokenList{Token::String("hi")}).Parse()->Evaluate(environment), Value("hi"));
}

TEST(ParserTest, BoundsParenthesisNesting) {
    EXPECT_EQ(Evaluate(Nested(kMaxParenthesisDepth, "7")), Value(7));
    EXPECT_EQ(ConditionError(Nested(kMaxParenthesisDepth + 1, "7")),
              "Expression nested too deeply");
    EXPECT_EQ(ConditionError(Repeat("(", 1000000)), "Expression nested too deeply");
}

TEST(ParserTest, BoundsTheDepthOfOperatorChains) {
    // kMaxExpressionDepth - 1 additions build a tree exactly kMaxExpressionDepth deep.
    const std::string longest = "1" + Repeat(" + 1", kMaxExpressionDepth - 1);
    EXPECT_EQ(Evaluate(longest), Value(kMaxExpressionDepth));
    EXPECT_EQ(ConditionError(longest + " + 1"), "Expression nested too deeply");
    EXPECT_EQ(ConditionError(Repeat("- ", kMaxExpressionDepth) + "1"),
              "Expression nested too deeply");
    EXPECT_EQ(ConditionError(Repeat("not ", 100000) + "true"), "Expression nested too deeply");
    EXPECT_EQ(ConditionError("1" + Repeat(" * 1", 300000)), "Expression nested too deeply");
}

TEST(ParserTest, MegabyteLinesParseInLinearTime) {
    const auto start = std::chrono::steady_clock::now();
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
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // A walk that is quadratic in the line's length would take hours here.
    EXPECT_LT(elapsed, std::chrono::seconds(60));
}

}  // namespace
}  // namespace tw
