#include "script/lexer.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "script/script_errors.h"

namespace tw {
namespace {

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

}  // namespace
}  // namespace tw
