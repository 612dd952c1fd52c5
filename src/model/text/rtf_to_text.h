#pragma once

#include <string>
#include <string_view>

namespace tw {

// Plain text of a node's RTF in one pass: the outermost group's text is kept, nested groups
// and control words are dropped, and a fixed set of lower-case hexadecimal escapes (the
// accented letters of the game's languages) become single bytes; any other escape gives '!'.
// Reading stops at the first zero byte. The result is never longer than the input.
std::string RtfToText(std::string_view rtf);

// The same into out, which must have room for rtf.size() bytes; returns the bytes written.
// Callers converting many texts keep one buffer instead of making a string for each.
std::size_t RtfToText(std::string_view rtf, char* out);

// The same into buffer, grown as needed and reused; the view is valid until buffer changes.
std::string_view RtfToText(std::string_view rtf, std::string& buffer);

}  // namespace tw
