#pragma once

// Messages quote what they refuse, but never more than a short excerpt of it: a hostile
// input (a 50 MB unterminated string) must not come back as a 50 MB message.

#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

inline constexpr std::size_t kMaxExcerptBytes = 200;

// The text itself when it has at most maxBytes bytes; else its first maxBytes bytes, cut
// before a UTF-8 sequence that would be split, followed by "...".
std::string Excerpt(std::string_view text, std::size_t maxBytes = kMaxExcerptBytes);

}  // namespace tw
