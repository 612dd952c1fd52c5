#include <optional>

#include "base/byte_string.h"
#include "script/excerpt.h"
#include "script/expression_parser.h"
#include "script/script_errors.h"
#include "script/statement.h"
#include "script/statement_kinds.h"

namespace tw {
namespace {

[[noreturn]] void Fail(const std::string& message) {
    throw SyntaxError(message);
}

bool NextIsKeyword(Lexer& lexer, KeywordCode keyword) {
    const std::optional<Token> token = lexer.NextToken();
    return token && IsKeyword(*token, keyword);
}

// The next token, which must be an identifier; its text is the name.
std::string ReadName(Lexer& lexer, const char* message) {
    const std::optional<Token> token = lexer.NextToken();
    if (!token || token->GetKind() != TokenKind::Identifier) {
        Fail(message);
    }
    return std::string(token->View());
}

// choice -> string literal   (messages name 'branch' inside a list too)
std::string ReadChoiceText(Lexer& lexer) {
    const std::optional<Token> token = lexer.NextToken();
    if (!token) {
        Fail("'branch' statement ended prematurely; expected string literal");
    }
    if (token->GetKind() != TokenKind::Literal) {
        Fail("Expected string literal, found '" + Excerpt(token->View()) + "'");
    }
    if (token->GetLiteralType() != ValueType::String) {
        Fail("Branch choice must be string literal");
    }
    return std::string(token->View());
}

void ReadArrow(Lexer& lexer) {
    const std::optional<Token> token = lexer.NextToken();
    if (!token) {
        Fail("'branch' statement ended prematurely; expected -> operator");
    }
    if (token->GetKind() != TokenKind::Operator) {
        Fail("Expected operator, found '" + Excerpt(token->GetText()) + "'");
    }
    if (token->View() != "->") {
        Fail("-> operator must follow branch choice string");
    }
}

// choice -> string "->" node
Choice ReadChoice(Lexer& lexer) {
    Choice choice;
    choice.text = ReadChoiceText(lexer);
    ReadArrow(lexer);
    choice.node = lexer.ReadNodeName();
    if (choice.node.empty()) {
        Fail("-> operator must be followed by a node name");
    }
    return choice;
}

// Checks a token read where a comma must stand.
void ExpectComma(const Token& token) {
    if (token.GetKind() != TokenKind::Delimiter) {
        Fail("Expected comma, found '" + Excerpt(token.GetText()) + "'");
    }
    if (token.View() != ",") {
        Fail("comma must follow node name");
    }
}

// branch -> "branch" choice "," choice
std::unique_ptr<Statement> ParseBranch(Lexer& lexer) {
    Choice first = ReadChoice(lexer);
    const std::optional<Token> comma = lexer.NextToken();
    if (!comma) {
        Fail("'branch' statement ended prematurely; expected comma");
    }
    ExpectComma(*comma);
    Choice second = ReadChoice(lexer);
    return std::make_unique<BranchStatement>(std::move(first), std::move(second));
}

// item -> choice ["if" expr keyword]
ListStatement::Item ReadListItem(Lexer& lexer) {
    ListStatement::Item item{ReadChoice(lexer), nullptr};
    std::size_t after = 0;
    const std::optional<Token> next = lexer.PeekToken(after);
    if (next && IsKeyword(*next, KeywordCode::If)) {
        lexer.SetPosition(after);
        item.condition = Statement::ParseExpression(lexer);
        lexer.NextToken();  // the keyword that ended the condition, normally "then"
    }
    return item;
}

// list -> "list" item {"," item}, at most 12 items
std::unique_ptr<Statement> ParseList(Lexer& lexer) {
    auto list = std::make_unique<ListStatement>();
    while (true) {
        list->AddItem(ReadListItem(lexer));
        if (list->GetItemCount() == ListStatement::kMaxItems) {
            break;
        }
        const std::optional<Token> comma = lexer.NextToken();
        if (!comma) {
            break;
        }
        ExpectComma(*comma);
    }
    return list;
}

// set -> "set" name ["="] expr
std::unique_ptr<Statement> ParseSet(Lexer& lexer) {
    std::string name = ReadName(lexer, "Expected identifier following 'set'");
    std::size_t after = 0;
    const std::optional<Token> next = lexer.PeekToken(after);
    // Any token whose text is "=", a string literal '=' too.
    if (next && next->TextEquals("=")) {
        lexer.SetPosition(after);
    }
    return std::make_unique<SetStatement>(std::move(name), Statement::ParseExpression(lexer));
}

// conditional assignment -> name "=" "if" expr "then" expr "else" expr
std::unique_ptr<Statement> ParseConditionalAssign(Lexer& lexer, std::string name) {
    std::unique_ptr<Expression> condition = Statement::ParseExpression(lexer);
    if (!NextIsKeyword(lexer, KeywordCode::Then)) {
        Fail("Expected 'then' following conditional expression");
    }
    std::unique_ptr<Expression> thenValue = Statement::ParseExpression(lexer);
    if (!NextIsKeyword(lexer, KeywordCode::Else)) {
        Fail("Expected 'else' following expression");
    }
    std::unique_ptr<Expression> elseValue = Statement::ParseExpression(lexer);
    return std::make_unique<CAssignStatement>(std::move(name), std::move(condition),
                                              std::move(thenValue), std::move(elseValue));
}

// assignment -> name "=" expr | conditional assignment
std::unique_ptr<Statement> ParseAssign(Lexer& lexer, std::string name) {
    const std::optional<Token> equals = lexer.NextToken();
    if (!equals || !equals->TextEquals("=")) {
        Fail("Invalid statement (expected '=' following identifier '" + Excerpt(name) + "')");
    }
    std::size_t after = 0;
    const std::optional<Token> next = lexer.PeekToken(after);
    if (!next) {
        Fail("Assignment statement ends prematurely");
    }
    if (IsKeyword(*next, KeywordCode::If)) {
        lexer.SetPosition(after);
        return ParseConditionalAssign(lexer, std::move(name));
    }
    return std::make_unique<AssignStatement>(std::move(name), Statement::ParseExpression(lexer));
}

std::unique_ptr<Statement> ParseGoto(Lexer& lexer) {
    std::string node = lexer.ReadNodeName();
    if (node.empty()) {
        Fail("'goto' keyword must be followed by a node name");
    }
    return std::make_unique<GotoStatement>(std::move(node));
}

std::unique_ptr<Statement> ParseEnd(Lexer& lexer) {
    if (!EqualsNoCase(lexer.ReadRawWord(), "conversation")) {
        Fail("'end' not followed by 'conversation'");
    }
    return std::make_unique<EndStatement>();
}

}  // namespace

bool Statement::IsTerminator(const Token& token) {
    return token.GetKind() == TokenKind::Keyword;
}

std::unique_ptr<Expression> Statement::ParseExpression(Lexer& lexer) {
    Parser parser;
    std::size_t after = 0;
    while (const std::optional<Token> token = lexer.PeekToken(after)) {
        if (IsTerminator(*token)) {
            break;
        }
        parser.Append(*token);
        lexer.SetPosition(after);
    }
    std::unique_ptr<Expression> expression = parser.Parse();
    if (!expression) {
        Fail("Empty expression not allowed");
    }
    return expression;
}

std::unique_ptr<Statement> Statement::Parse(Lexer& lexer) {
    return Parse(lexer, 1);
}

// if -> "if" expr "then" [statement] ["else" [statement]]
std::unique_ptr<Statement> Statement::ParseIf(Lexer& lexer, int depth) {
    std::unique_ptr<Expression> condition = ParseExpression(lexer);
    if (!NextIsKeyword(lexer, KeywordCode::Then)) {
        Fail("Expected 'then' following conditional expression");
    }
    std::unique_ptr<Statement> thenStatement = Parse(lexer, depth + 1);
    std::unique_ptr<Statement> elseStatement;
    if (const std::optional<Token> next = lexer.NextToken()) {
        if (!IsKeyword(*next, KeywordCode::Else)) {
            Fail("Expected 'else' (or end of statement) following expression");
        }
        elseStatement = Parse(lexer, depth + 1);
    }
    return std::make_unique<IfStatement>(std::move(condition), std::move(thenStatement),
                                         std::move(elseStatement));
}

std::unique_ptr<Statement> Statement::Parse(Lexer& lexer, int depth) {
    const std::optional<Token> token = lexer.NextToken();
    if (!token) {
        return nullptr;
    }
    if (depth > kMaxStatementDepth) {
        Fail("Statement nested too deeply");
    }
    if (token->GetKind() == TokenKind::Identifier) {
        return ParseAssign(lexer, std::string(token->View()));
    }
    if (token->GetKind() != TokenKind::Keyword) {
        Fail("Statement begins with unexpected token '" + Excerpt(token->GetText()) + "'");
    }
    return ParseKeywordStatement(lexer, *token, depth);
}

std::unique_ptr<Statement> Statement::ParseKeywordStatement(Lexer& lexer, const Token& keyword,
                                                            int depth) {
    switch (keyword.GetKeyword()) {
        case KeywordCode::Branch:
            return ParseBranch(lexer);
        case KeywordCode::Goto:
            return ParseGoto(lexer);
        case KeywordCode::If:
            return ParseIf(lexer, depth);
        case KeywordCode::Set:
            return ParseSet(lexer);
        case KeywordCode::Rem:
            return std::make_unique<RemarkStatement>();
        case KeywordCode::Reply:
            return std::make_unique<ReplyStatement>(
                ReadName(lexer, "Expected identifier following 'reply'"));
        case KeywordCode::End:
            return ParseEnd(lexer);
        case KeywordCode::List:
            return ParseList(lexer);
        case KeywordCode::Then:
        case KeywordCode::Else:
            break;
    }
    Fail("Statement begins with unexpected keyword '" + Excerpt(keyword.View()) + "'");
}

}  // namespace tw
