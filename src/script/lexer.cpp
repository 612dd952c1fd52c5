#include "script/lexer.h"

#include "base/byte_string.h"
#include "script/excerpt.h"
#include "script/operator_table.h"
#include "script/script_errors.h"

namespace tw {
namespace {

// "branch": a longer word is never a keyword, operator or boolean.
constexpr std::size_t kLongestReservedWord = 6;

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

std::optional<Token> Lexer::NextToken() {
    if (peekedFrom_ == position_) {
        position_ = peekedTo_;
        return peeked_;
    }
    return Scan();
}

std::optional<Token> Lexer::Scan() {
    while (!AtEnd() && IsWhiteSpace(Current())) {
        ++position_;
    }
    if (AtEnd()) {
        return std::nullopt;
    }
    const char c = Current();
    if (IsDelimiter(c)) {
        ++position_;
        return Token::Delimiter(c);
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
Token Lexer::ReadNumber() {
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
                          Excerpt(line_.substr(start, position_ - start)));
    }
    const std::string_view text = std::string_view(line_).substr(start, position_ - start);
    if (hasPoint) {
        return Token::Real(StrToDouble(text));
    }
    return Token::Integer(StrToLong32(text));
}

// string -> quote {any other character} quote, with no escapes
Token Lexer::ReadString() {
    const char quote = Current();
    const std::size_t start = ++position_;
    const std::size_t end = line_.find(quote, start);
    if (end == std::string_view::npos) {
        position_ = line_.size();
        throw SyntaxError("Unterminated string constant: " + Excerpt(line_.substr(start)));
    }
    position_ = end + 1;
    return Token::String(line_.substr(start, end - start));
}

// Words are classified on a view of the line, which the token keeps.
Token Lexer::ReadWord() {
    const std::size_t start = position_;
    const bool isVariable = Current() == '$';
    if (isVariable) {
        ++position_;
    }
    while (IsIdentifierChar(Current())) {
        ++position_;
    }
    const std::string_view word = line_.substr(start, position_ - start);
    if (isVariable || word.size() > kLongestReservedWord) {
        return Token::Identifier(word);
    }
    const char first = ToLowerAscii(word.front());
    const bool isTrue = first == 't' && EqualsNoCase(word, "true");
    if (isTrue || (first == 'f' && EqualsNoCase(word, "false"))) {
        return Token::Boolean(isTrue);
    }
    KeywordCode keyword = KeywordCode::If;
    if (FindKeyword(word, keyword)) {
        return Token::Keyword(word, keyword);
    }
    if (const OperatorTableEntry* entry = FindOperator(word)) {
        return Token::Operator(word, *entry);
    }
    return Token::Identifier(word);
}

Token Lexer::ReadOperator() {
    const std::size_t start = position_;
    while (IsOperatorChar(Current())) {
        ++position_;
    }
    const std::string_view run = line_.substr(start, position_ - start);
    const OperatorTableEntry* entry = FindOperator(run);
    if (entry == nullptr) {
        throw SyntaxError("Invalid operator: " + Excerpt(run));
    }
    return Token::Operator(run, *entry);
}

std::optional<Token> Lexer::PeekToken(std::size_t& after) {
    const std::size_t saved = position_;
    if (peekedFrom_ != saved) {
        // Restore the position even when the token is malformed.
        try {
            peeked_ = Scan();
        } catch (...) {
            position_ = saved;
            throw;
        }
        peekedFrom_ = saved;
        peekedTo_ = position_;
        position_ = saved;
    }
    after = peekedTo_;
    return peeked_;
}

std::string Lexer::ReadNodeName() {
    std::string name = ReadRawWord();
    if (nodeNames_ != nullptr && !name.empty()) {
        nodeNames_->push_back(Span{position_ - name.size(), name.size()});
    }
    return name;
}

std::string Lexer::ReadRawWord() {
    while (!AtEnd() && IsWhiteSpace(Current())) {
        ++position_;
    }
    const std::size_t start = position_;
    while (!AtEnd() && !IsWhiteSpace(Current()) && Current() != ',') {
        ++position_;
    }
    return std::string(line_.substr(start, position_ - start));
}

}  // namespace tw
