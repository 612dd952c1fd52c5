#pragma once

// Windows-1252 <-> UTF-8, losslessly in both directions for every byte: the five bytes
// Windows-1252 leaves unassigned map to the C1 controls of the same value, and control
// bytes (such as the style marks of the NPC comments) stay as they are.

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// One byte's Unicode code point, and back: nothing when Windows-1252 has no such character.
char32_t Windows1252ToUnicode(unsigned char byte);
std::optional<unsigned char> UnicodeToWindows1252(char32_t code);

std::string Windows1252ToUtf8(std::string_view bytes);

// The bytes, or nullopt when the text is not valid UTF-8 or holds a character with no
// Windows-1252 byte; error then names the offending character or byte offset.
std::optional<std::string> Utf8ToWindows1252(std::string_view text, std::string* error = nullptr);

}  // namespace tw
