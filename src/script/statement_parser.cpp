#include "script/byte_string.h"
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

bool NextIsKeyword(Lexer& lexer, std::string_view keyword) {
    const std::unique_ptr<Token> token = lexer.NextToken();
    return token && IsKeyword(*token, keyword);
}

// The next token, which must be an identifier; its text is the name.
std::string ReadName(Lexer& lexer, const char* message) {
    const std::unique_ptr<Token> token = lexer.NextToken();
    if (!token || token->GetKind() != TokenKind::Identifier) {
        Fail(message);
    }
    return token->GetText();
}

// choice -> string literal   (messages name 'branch' inside a list too)
std::string ReadChoiceText(Lexer& lexer) {
    const std::unique_ptr<Token> token = lexer.NextToken();
    if (!token) {
        Fail("'branch' statement ended prematurely; expected string literal");
    }
    if (token->GetKind() != TokenKind::Literal) {
        Fail("Expected string literal, found '" + Excerpt(token->Text()) + "'");
    }
    const Value value = static_cast<const TokenLiteral&>(*token).GetValue();
    if (value.GetType() != ValueType::String) {
        Fail("Branch choice must be string literal");
    }
    return value.GetString();
}

void ReadArrow(Lexer& lexer) {
    const std::unique_ptr<Token> token = lexer.NextToken();
    if (!token) {
        Fail("'branch' statement ended prematurely; expected -> operator");
    }
    if (token->GetKind() != TokenKind::Operator) {
        Fail("Expected operator, found '" + Excerpt(token->Text()) + "'");
    }
    if (token->Text() != "->") {
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
        Fail("Expected comma, found '" + Excerpt(token.Text()) + "'");
    }
    if (token.Text() != ",") {
        Fail("comma must follow node name");
    }
}

// branch -> "branch" choice "," choice
std::unique_ptr<Statement> ParseBranch(Lexer& lexer) {
    Choice first = ReadChoice(lexer);
    const std::unique_ptr<Token> comma = lexer.NextToken();
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
    const std::unique_ptr<Token> next = lexer.PeekToken(after);
    if (next && IsKeyword(*next, "if")) {
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
        const std::unique_ptr<Token> comma = lexer.NextToken();
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
    const std::unique_ptr<Token> next = lexer.PeekToken(after);
    if (next && next->Text() == "=") {
        lexer.SetPosition(after);
    }
    return std::make_unique<SetStatement>(std::move(name), Statement::ParseExpression(lexer));
}

// conditional assignment -> name "=" "if" expr "then" expr "else" expr
std::unique_ptr<Statement> ParseConditionalAssign(Lexer& lexer, std::string name) {
    std::unique_ptr<Expression> condition = Statement::ParseExpression(lexer);
    if (!NextIsKeyword(lexer, "then")) {
        Fail("Expected 'then' following conditional expression");
    }
    std::unique_ptr<Expression> thenValue = Statement::ParseExpression(lexer);
    if (!NextIsKeyword(lexer, "else")) {
        Fail("Expected 'else' following expression");
    }
    std::unique_ptr<Expression> elseValue = Statement::ParseExpression(lexer);
    return std::make_unique<CAssignStatement>(std::move(name), std::move(condition),
                                              std::move(thenValue), std::move(elseValue));
}

// assignment -> name "=" expr | conditional assignment
std::unique_ptr<Statement> ParseAssign(Lexer& lexer, std::string name) {
    const std::unique_ptr<Token> equals = lexer.NextToken();
    if (!equals || equals->Text() != "=") {
        Fail("Invalid statement (expected '=' following identifier '" + Excerpt(name) + "')");
    }
    std::size_t after = 0;
    const std::unique_ptr<Token> next = lexer.PeekToken(after);
    if (!next) {
        Fail("Assignment statement ends prematurely");
    }
    if (IsKeyword(*next, "if")) {
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
    if (!EqualsNoCase(lexer.ReadNodeName(), "conversation")) {
        Fail("'end' not followed by 'conversation'");
    }
    return std::make_unique<EndStatement>();
}

}  // namespace

bool Statement::IsTerminator(const Token& token) {
    return token.GetKind() == TokenKind::Keyword;
}

std::unique_ptr<Expression> Statement::ParseExpression(Lexer& lexer) {
    TokenList tokens;
    std::size_t after = 0;
    while (std::unique_ptr<Token> token = lexer.PeekToken(after)) {
        if (IsTerminator(*token)) {
            break;
        }
        tokens.push_back(std::move(token));
        lexer.SetPosition(after);
    }
    std::unique_ptr<Expression> expression = Parser(std::move(tokens)).Parse();
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
    if (!NextIsKeyword(lexer, "then")) {
        Fail("Expected 'then' following conditional expression");
    }
    std::unique_ptr<Statement> thenStatement = Parse(lexer, depth + 1);
    std::unique_ptr<Statement> elseStatement;
    if (const std::unique_ptr<Token> next = lexer.NextToken()) {
        if (!IsKeyword(*next, "else")) {
            Fail("Expected 'else' (or end of statement) following expression");
        }
        elseStatement = Parse(lexer, depth + 1);
    }
    return std::make_unique<IfStatement>(std::move(condition), std::move(thenStatement),
                                         std::move(elseStatement));
}

std::unique_ptr<Statement> Statement::Parse(Lexer& lexer, int depth) {
    std::unique_ptr<Token> token = lexer.NextToken();
    if (!token) {
        return nullptr;
    }
    if (depth > kMaxStatementDepth) {
        Fail("Statement nested too deeply");
    }
    if (token->GetKind() == TokenKind::Identifier) {
        return ParseAssign(lexer, token->GetText());
    }
    if (token->GetKind() != TokenKind::Keyword) {
        Fail("Statement begins with unexpected token '" + Excerpt(token->Text()) + "'");
    }
    const std::string& word = token->Text();
    if (EqualsNoCase(word, "branch")) {
        return ParseBranch(lexer);
    }
    if (EqualsNoCase(word, "goto")) {
        return ParseGoto(lexer);
    }
    if (EqualsNoCase(word, "if")) {
        return ParseIf(lexer, depth);
    }
    if (EqualsNoCase(word, "set")) {
        return ParseSet(lexer);
    }
    if (EqualsNoCase(word, "rem")) {
        return std::make_unique<RemarkStatement>();
    }
    if (EqualsNoCase(word, "reply")) {
        return std::make_unique<ReplyStatement>(
            ReadName(lexer, "Expected identifier following 'reply'"));
    }
    if (EqualsNoCase(word, "end")) {
        return ParseEnd(lexer);
    }
    if (EqualsNoCase(word, "list")) {
        return ParseList(lexer);
    }
    Fail("Statement begins with unexpected keyword '" + Excerpt(word) + "'");
}

}  // namespace tw
