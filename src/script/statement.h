#pragma once

#include <memory>
#include <string>

#include "script/environment.h"
#include "script/expression.h"
#include "script/lexer.h"
#include "script/token.h"

namespace tw {

// Deepest nesting of statements in one another (an if inside an if ...).
inline constexpr int kMaxStatementDepth = 200;

// One statement of the conversation script language.
class Statement {
public:
    virtual ~Statement() = default;

    // Reads one statement from the lexer's position; null when the line holds no token.
    // Throws SyntaxError.
    static std::unique_ptr<Statement> Parse(Lexer& lexer);
    // A keyword ends an expression.
    static bool IsTerminator(const Token& token);
    // Reads tokens up to the next keyword (left unread) and parses them.
    static std::unique_ptr<Expression> ParseExpression(Lexer& lexer);

    // May change the environment; throws RuntimeError or ControlFlowException.
    virtual void Execute(Environment& environment) const = 0;
    // The static check; on false `message` says why. Never throws.
    virtual bool Check(std::string& message) const = 0;

protected:
    static std::unique_ptr<Statement> Parse(Lexer& lexer, int depth);
    static std::unique_ptr<Statement> ParseIf(Lexer& lexer, int depth);
    static std::unique_ptr<Statement> ParseKeywordStatement(Lexer& lexer, const Token& keyword,
                                                            int depth);
};

}  // namespace tw
