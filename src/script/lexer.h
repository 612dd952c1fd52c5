#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "script/token.h"

namespace tw {

// Cuts one script line into tokens on demand. The line ends at its first NUL byte.
class Lexer {
public:
    explicit Lexer(std::string_view line);

    // The next token, or null at the end of the line; throws SyntaxError.
    std::unique_ptr<Token> NextToken();
    // The next token without consuming it; `after` receives the position past it.
    std::unique_ptr<Token> PeekToken(std::size_t& after);
    void SetPosition(std::size_t position) { position_ = position; }
    std::size_t GetPosition() const { return position_; }
    // Raw text up to white space, ',' or the end of the line (node names, "conversation").
    std::string ReadNodeName();

    static bool IsWhiteSpace(char c);
    static bool IsIdentifierChar(char c);
    static bool IsIdentifierStart(char c);
    static bool IsDelimiter(char c);
    static bool IsOperatorChar(char c);

private:
    std::unique_ptr<Token> ReadNumber();
    std::unique_ptr<Token> ReadString();
    std::unique_ptr<Token> ReadWord();
    std::unique_ptr<Token> ReadOperator();
    bool AtEnd() const { return position_ >= line_.size(); }
    char Current() const { return AtEnd() ? '\0' : line_[position_]; }
    char At(std::size_t index) const { return index < line_.size() ? line_[index] : '\0'; }

    std::string line_;
    std::size_t position_ = 0;
};

}  // namespace tw
