#pragma once

#include <optional>

namespace tw {

// The model's 8-bit text is Windows-1252. These map one byte to its Unicode code point and
// back. The five unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of
// the same value, as the platform's own conversion does, so every byte survives a round trip.
char32_t Windows1252ToUnicode(unsigned char byte);

// The byte of a code point, or nothing when Windows-1252 has no such character.
std::optional<unsigned char> UnicodeToWindows1252(char32_t code);

}  // namespace tw
