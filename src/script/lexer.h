#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/token.h"

namespace tw {

// Cuts one script line into tokens on demand. The line ends at its first NUL byte. The
// lexer and its tokens view the line, which must outlive them both.
class Lexer {
public:
    explicit Lexer(std::string_view line);
    explicit Lexer(const std::string& line) : Lexer(std::string_view(line)) {}
    explicit Lexer(const char* line) : Lexer(std::string_view(line)) {}
    // A temporary line would be gone before its tokens are read.
    explicit Lexer(std::string&& line) = delete;
    Lexer(const Lexer&) = delete;
    Lexer& operator=(const Lexer&) = delete;

    // The next token, or none at the end of the line; throws SyntaxError.
    std::optional<Token> NextToken();
    // The next token without consuming it; `after` receives the position past it.
    std::optional<Token> PeekToken(std::size_t& after);
    void SetPosition(std::size_t position) { position_ = position; }
    std::size_t GetPosition() const { return position_; }
    // Raw text up to white space, ',' or the end of the line: a node name.
    std::string ReadNodeName();
    // The same raw text where it is a word and not a node name ("conversation").
    std::string ReadRawWord();

    // Where a node name stands in the line, for tools that rewrite names in place.
    struct Span {
        std::size_t start = 0;
        std::size_t length = 0;
    };
    // Every node name read from now on is noted there too; none stops it.
    void RecordNodeNames(std::vector<Span>* spans) { nodeNames_ = spans; }

    static bool IsWhiteSpace(char c);
    static bool IsIdentifierChar(char c);
    static bool IsIdentifierStart(char c);
    static bool IsDelimiter(char c);
    static bool IsOperatorChar(char c);

private:
    // The token at the current position, which it moves past.
    std::optional<Token> Scan();
    Token ReadNumber();
    Token ReadString();
    Token ReadWord();
    Token ReadOperator();
    bool AtEnd() const { return position_ >= line_.size(); }
    char Current() const { return AtEnd() ? '\0' : line_[position_]; }
    char At(std::size_t index) const { return index < line_.size() ? line_[index] : '\0'; }

    std::string_view line_;
    std::size_t position_ = 0;
    // The parsers peek at nearly every token before they take it: the last peek is kept,
    // so that taking it, or peeking again from the same place, does not cut it again.
    std::optional<Token> peeked_;
    std::size_t peekedFrom_ = std::string_view::npos;
    std::size_t peekedTo_ = 0;
    std::vector<Span>* nodeNames_ = nullptr;
};

}  // namespace tw
