#include "script/compile.h"

#include <optional>

#include "script/expression_parser.h"
#include "script/lexer.h"
#include "script/script_errors.h"

namespace tw {

std::unique_ptr<Statement> CompileStatement(std::string_view line) {
    Lexer lexer(line);
    std::unique_ptr<Statement> statement = Statement::Parse(lexer);
    std::string message;
    if (statement && !statement->Check(message)) {
        throw SyntaxError(message);
    }
    return statement;
}

std::unique_ptr<Expression> ParseCondition(std::string_view line) {
    Lexer lexer(line);
    Parser parser;
    while (const std::optional<Token> token = lexer.NextToken()) {
        parser.Append(*token);
    }
    return parser.Parse();
}

}  // namespace tw
