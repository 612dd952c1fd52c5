#include "script/lexer.h"

#include <array>

#include "script/byte_string.h"
#include "script/excerpt.h"
#include "script/operator_table.h"
#include "script/script_errors.h"

namespace tw {
namespace {

constexpr std::array<std::string_view, 10> kKeywords{"if",  "then",   "else", "rem",   "goto",
                                                     "set", "branch", "end",  "reply", "list"};

bool IsKeywordText(std::string_view word) {
    for (std::string_view keyword : kKeywords) {
        // The length test first: it rules out nearly every keyword without a call.
        if (keyword.size() == word.size() && EqualsNoCase(keyword, word)) {
            return true;
        }
    }
    return false;
}

}  // namespace

Lexer::Lexer(std::string_view line) : line_(line.substr(0, line.find('\0'))) {}

bool Lexer::IsWhiteSpace(char c) {
    return IsSpace(c);
}

bool Lexer::IsIdentifierChar(char c) {
    return IsAlnum(c) || c == '_';
}

bool Lexer::IsIdentifierStart(char c) {
    return IsAlpha(c) || c == '_';
}

bool Lexer::IsDelimiter(char c) {
    return c == '(' || c == ')' || c == ',';
}

bool Lexer::IsOperatorChar(char c) {
    return c != '\0' && !IsIdentifierChar(c) && !IsDelimiter(c) && !IsWhiteSpace(c);
}

std::unique_ptr<Token> Lexer::NextToken() {
    while (!AtEnd() && IsWhiteSpace(Current())) {
        ++position_;
    }
    if (AtEnd()) {
        return nullptr;
    }
    const char c = Current();
    if (IsDelimiter(c)) {
        ++position_;
        return std::make_unique<TokenDelimeter>(c);
    }
    if (IsDigit(c) || (c == '.' && IsDigit(At(position_ + 1)))) {
        return ReadNumber();
    }
    if (c == '"' || c == '\'') {
        return ReadString();
    }
    if (IsIdentifierStart(c) || c == '$') {
        return ReadWord();
    }
    return ReadOperator();
}

// number -> {digit | '.'}, at most one '.', not followed by a letter or '_'
std::unique_ptr<Token> Lexer::ReadNumber() {
    const std::size_t start = position_;
    bool hasPoint = false;
    bool valid = true;
    while (valid && (IsDigit(Current()) || Current() == '.')) {
        if (Current() == '.') {
            valid = !hasPoint;
            hasPoint = true;
        }
        ++position_;
        if (IsIdentifierStart(Current())) {
            valid = false;
        }
    }
    if (!valid) {
        while (IsIdentifierChar(Current()) || Current() == '.') {
            ++position_;
        }
        throw SyntaxError("Invalid numeric constant: " +
                          Excerpt(std::string_view(line_).substr(start, position_ - start)));
    }
    const std::string_view text = std::string_view(line_).substr(start, position_ - start);
    if (hasPoint) {
        return std::make_unique<TokenLiteral>(Value(StrToDouble(text)));
    }
    return std::make_unique<TokenLiteral>(Value(StrToLong32(text)));
}

// string -> quote {any other character} quote, with no escapes
std::unique_ptr<Token> Lexer::ReadString() {
    const char quote = Current();
    const std::size_t start = ++position_;
    const std::size_t end = line_.find(quote, start);
    if (end == std::string::npos) {
        position_ = line_.size();
        throw SyntaxError("Unterminated string constant: " +
                          Excerpt(std::string_view(line_).substr(start)));
    }
    position_ = end + 1;
    return std::make_unique<TokenLiteral>(Value(line_.substr(start, end - start)));
}

// Words are classified on a view of the line; only the token keeps a copy.
std::unique_ptr<Token> Lexer::ReadWord() {
    const std::size_t start = position_;
    const bool isVariable = Current() == '$';
    if (isVariable) {
        ++position_;
    }
    while (IsIdentifierChar(Current())) {
        ++position_;
    }
    const std::string_view word = std::string_view(line_).substr(start, position_ - start);
    if (isVariable) {
        return std::make_unique<TokenIdentifier>(std::string(word));
    }
    const bool isTrue = EqualsNoCase(word, "true");
    if (isTrue || EqualsNoCase(word, "false")) {
        return std::make_unique<TokenLiteral>(Value(isTrue));
    }
    if (IsKeywordText(word)) {
        return std::make_unique<TokenKeyword>(std::string(word));
    }
    if (FindOperator(word) != nullptr) {
        return std::make_unique<TokenOperator>(std::string(word));
    }
    return std::make_unique<TokenIdentifier>(std::string(word));
}

std::unique_ptr<Token> Lexer::ReadOperator() {
    const std::size_t start = position_;
    while (IsOperatorChar(Current())) {
        ++position_;
    }
    const std::string_view run = std::string_view(line_).substr(start, position_ - start);
    if (FindOperator(run) == nullptr) {
        throw SyntaxError("Invalid operator: " + Excerpt(run));
    }
    return std::make_unique<TokenOperator>(std::string(run));
}

std::unique_ptr<Token> Lexer::PeekToken(std::size_t& after) {
    const std::size_t saved = position_;
    // Restore the position even when the token is malformed.
    try {
        std::unique_ptr<Token> token = NextToken();
        after = position_;
        position_ = saved;
        return token;
    } catch (...) {
        position_ = saved;
        throw;
    }
}

std::string Lexer::ReadNodeName() {
    while (!AtEnd() && IsWhiteSpace(Current())) {
        ++position_;
    }
    const std::size_t start = position_;
    while (!AtEnd() && !IsWhiteSpace(Current()) && Current() != ',') {
        ++position_;
    }
    return line_.substr(start, position_ - start);
}

}  // namespace tw
