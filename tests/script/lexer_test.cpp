#include "script/lexer.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "script/operator_table.h"
#include "script/script_errors.h"

namespace tw {
namespace {

struct Lexed {
    TokenKind kind;
    std::string text;
    bool operator==(const Lexed&) const = default;
};

std::vector<Lexed> Tokens(std::string_view line) {
    Lexer lexer(line);
    std::vector<Lexed> tokens;
    while (const auto token = lexer.NextToken()) {
        tokens.push_back({token->GetKind(), token->GetText()});
    }
    return tokens;
}

constexpr TokenKind kDel = TokenKind::Delimiter;
constexpr TokenKind kKey = TokenKind::Keyword;
constexpr TokenKind kId = TokenKind::Identifier;
constexpr TokenKind kOp = TokenKind::Operator;
constexpr TokenKind kLit = TokenKind::Literal;

TEST(LexerTest, CutsLinesIntoTokens) {
    struct Case {
        std::string_view line;
        std::vector<Lexed> tokens;
    };
    const Case cases[] = {
        {"   \t ", {}},
        {"$Gold>=10", {{kId, "$Gold"}, {kOp, ">="}, {kLit, "10"}}},
        {"a AND b", {{kId, "a"}, {kOp, "AND"}, {kId, "b"}}},
        {"Goto Node", {{kKey, "Goto"}, {kId, "Node"}}},
        {"TRUE false", {{kLit, "true"}, {kLit, "false"}}},
        {"f(x, y)", {{kId, "f"}, {kDel, "("}, {kId, "x"}, {kDel, ","}, {kId, "y"}, {kDel, ")"}}},
        {"'it''s'", {{kLit, "it"}, {kLit, "s"}}},
        {"\"say 'hi'\"", {{kLit, "say 'hi'"}}},
        {"$", {{kId, "$"}}},
        {"$+", {{kId, "$"}, {kOp, "+"}}},
        {"_x1 $_2", {{kId, "_x1"}, {kId, "$_2"}}},
        {"if then else rem goto set branch end reply list",
         {{kKey, "if"},
          {kKey, "then"},
          {kKey, "else"},
          {kKey, "rem"},
          {kKey, "goto"},
          {kKey, "set"},
          {kKey, "branch"},
          {kKey, "end"},
          {kKey, "reply"},
          {kKey, "list"}}},
        {"conversation not Or", {{kId, "conversation"}, {kOp, "not"}, {kOp, "Or"}}},
        {"1+2", {{kLit, "1"}, {kOp, "+"}, {kLit, "2"}}},
        {"- $x", {{kOp, "-"}, {kId, "$x"}}},
        {std::string_view("$x = 1\0 garbage", 15), {{kId, "$x"}, {kOp, "="}, {kLit, "1"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line));
        EXPECT_EQ(Tokens(c.line), c.tokens);
    }
}

TEST(LexerTest, OperatorTokensCarryTheirTableRow) {
    for (const OperatorTableEntry& entry : kOperatorTable) {
        if (entry.type == operator_type::kEnd) {
            break;
        }
        SCOPED_TRACE(std::string(entry.symbol));
        const std::string line = " " + std::string(entry.symbol) + " ";
        Lexer lexer(line);
        const auto op = lexer.NextToken();
        ASSERT_EQ(op->GetKind(), TokenKind::Operator);
        EXPECT_EQ(op->GetOperatorType(), entry.type);
        EXPECT_EQ(op->GetPrecedence(), entry.precedence);
        EXPECT_EQ(op->IsUnaryOperator(), entry.unary != 0);
        EXPECT_FALSE(lexer.NextToken().has_value());
    }
}

TEST(LexerTest, OperatorTableSearch) {
    EXPECT_EQ(FindOperator("AND")->type, operator_type::kLogicalAnd);
    EXPECT_EQ(FindOperator("=")->type, operator_type::kEqualTo);
    EXPECT_EQ(FindOperator("-")->precedence, 2);
    EXPECT_EQ(FindOperator(" "), nullptr);
    EXPECT_EQ(FindOperator("=>"), nullptr);
    try {
        Token::Operator("=>");
        FAIL() << "no error";
    } catch (const SyntaxError& e) {
        EXPECT_EQ(e.GetMessage(), "Internal error: tried to create invalid operator '=>'");
    }
}

TEST(LexerTest, PeekRestoresAndSetPositionConsumes) {
    Lexer lexer("set x");
    std::size_t after = 0;
    const auto peeked = lexer.PeekToken(after);
    EXPECT_EQ(peeked->GetText(), "set");
    EXPECT_EQ(after, 3u);
    EXPECT_EQ(lexer.GetPosition(), 0u);
    lexer.SetPosition(after);
    EXPECT_EQ(lexer.NextToken()->GetText(), "x");
    EXPECT_FALSE(lexer.PeekToken(after).has_value());
}

TEST(LexerTest, PeekOfABadTokenLeavesThePosition) {
    Lexer lexer("a 1.2.3");
    lexer.NextToken();
    const std::size_t before = lexer.GetPosition();
    std::size_t after = 0;
    EXPECT_THROW(lexer.PeekToken(after), SyntaxError);
    EXPECT_EQ(lexer.GetPosition(), before);
}

// What a lexer answers at its position, as text: the token with every field the parsers
// read, the position after it, or the error.
struct Answer {
    std::string token;
    std::size_t after = 0;
    bool operator==(const Answer&) const = default;
};

std::string Describe(const std::optional<Token>& token) {
    if (!token) {
        return "none";
    }
    return std::to_string(static_cast<int>(token->GetKind())) + " [" + token->GetText() + "] " +
           std::to_string(token->GetOperatorType()) + "/" + std::to_string(token->GetPrecedence()) +
           "/" + std::to_string(token->IsUnaryOperator()) + " " +
           std::to_string(static_cast<int>(token->GetKeyword()));
}

template <typename Read>
Answer Ask(Lexer& lexer, Read read) {
    try {
        std::string token = Describe(read());
        return {token, lexer.GetPosition()};
    } catch (const SyntaxError& e) {
        return {"error " + e.GetMessage(), lexer.GetPosition()};
    }
}

// A lexer that has never peeked: it cuts the token at the position afresh.
Answer Fresh(std::string_view line, std::size_t position) {
    Lexer lexer(line);
    lexer.SetPosition(position);
    return Ask(lexer, [&lexer] { return lexer.NextToken(); });
}

// The kept peek must never answer for another position: random walks of peeks, takes,
// jumps and raw node-name reads give what a lexer that never peeked gives.
TEST(LexerTest, PeekedTokenIsOnlyReusedAtItsPosition) {
    const std::string_view lines[] = {
        "if $a >= 10 then goto Node-7(b), more else set kX = not kY",
        "branch 'yes' -> A, \"no\" -> B",
        "x = 1.5 * (y - 2) and 3x",
        "list 'a' -> N1 if $n > 2 then, 'b'->N2",
        "end conversation 'open",
        "$x = -$y <- 1.2.3",
        "  ",
    };
    std::mt19937 random(16);
    for (std::string_view line : lines) {
        SCOPED_TRACE(std::string(line));
        Lexer lexer(line);
        std::size_t after = 0;
        for (int step = 0; step < 400; ++step) {
            const std::size_t from = lexer.GetPosition();
            const Answer expected = Fresh(line, from);
            switch (random() % 5) {
                case 0:
                case 1: {
                    const Answer peeked =
                        Ask(lexer, [&lexer, &after] { return lexer.PeekToken(after); });
                    EXPECT_EQ(peeked.token, expected.token);
                    EXPECT_EQ(lexer.GetPosition(), from);
                    if (peeked.token.rfind("error", 0) != 0) {
                        EXPECT_EQ(after, expected.after);
                    }
                    break;
                }
                case 2:
                    EXPECT_EQ(Ask(lexer, [&lexer] { return lexer.NextToken(); }), expected);
                    break;
                case 3:
                    lexer.SetPosition(random() % 2 == 0 ? after : random() % (line.size() + 1));
                    break;
                default: {
                    Lexer raw(line);
                    raw.SetPosition(from);
                    EXPECT_EQ(lexer.ReadNodeName(), raw.ReadNodeName());
                    EXPECT_EQ(lexer.GetPosition(), raw.GetPosition());
                }
            }
        }
    }
}

TEST(LexerTest, ReadNodeNameTakesRawTextUpToBlankOrComma) {
    Lexer lexer("   Node-7(b), more");
    EXPECT_EQ(lexer.ReadNodeName(), "Node-7(b)");
    EXPECT_EQ(lexer.NextToken()->GetText(), ",");
    EXPECT_EQ(lexer.ReadNodeName(), "more");
    EXPECT_EQ(lexer.ReadNodeName(), "");
    Lexer quoted("'not a string");
    EXPECT_EQ(quoted.ReadNodeName(), "'not");
}

TEST(LexerTest, CharacterClasses) {
    EXPECT_TRUE(Lexer::IsOperatorChar('"'));
    EXPECT_TRUE(Lexer::IsOperatorChar('$'));
    EXPECT_TRUE(Lexer::IsOperatorChar('.'));
    EXPECT_TRUE(Lexer::IsOperatorChar('\x80'));
    EXPECT_FALSE(Lexer::IsOperatorChar('_'));
    EXPECT_FALSE(Lexer::IsOperatorChar(','));
    EXPECT_FALSE(Lexer::IsOperatorChar('\0'));
    EXPECT_FALSE(Lexer::IsOperatorChar('\v'));
    EXPECT_TRUE(Lexer::IsIdentifierStart('_'));
    EXPECT_FALSE(Lexer::IsIdentifierStart('1'));
    EXPECT_TRUE(Lexer::IsIdentifierChar('1'));
    EXPECT_FALSE(Lexer::IsIdentifierChar('\xE9'));
    EXPECT_TRUE(Lexer::IsDelimiter(')'));
    EXPECT_TRUE(Lexer::IsWhiteSpace('\f'));
}

}  // namespace
}  // namespace tw
