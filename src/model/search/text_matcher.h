#pragma once

// Finds a search text in the model's byte strings, with the find bar's case and
// whole-word options. Bytes are Windows-1252: letters fold as that code page's do.

#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

class TextMatcher {
public:
    TextMatcher(std::string_view pattern, bool matchCase, bool wholeWord);

    // The offset of the first match at or after from; npos when there is none or the
    // pattern is empty.
    std::size_t Find(std::string_view text, std::size_t from = 0) const;
    std::size_t PatternLength() const { return pattern_.size(); }

private:
    bool MatchesAt(std::string_view text, std::size_t at) const;
    bool IsWholeWordAt(std::string_view text, std::size_t at) const;

    std::string pattern_;  // folded when the case does not matter
    bool matchCase_;
    bool wholeWord_;
};

// Windows-1252 letters and digits, and the underscore, make words.
bool IsWordByte(unsigned char byte);
// The lower-case form of a Windows-1252 byte.
unsigned char FoldCase(unsigned char byte);

}  // namespace tw
