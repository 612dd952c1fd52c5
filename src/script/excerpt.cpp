#include "script/excerpt.h"

namespace tw {
namespace {

constexpr bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

constexpr bool IsUtf8Lead(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0xC0;
}

}  // namespace

std::string Excerpt(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return std::string(text);
    }
    // A cut inside a UTF-8 sequence moves back to the sequence's lead byte; bytes that are
    // no such sequence (Windows-1252 text) are cut where they are.
    std::size_t cut = maxBytes;
    for (int i = 0; i < 3 && cut > 0 && IsUtf8Continuation(text[cut]); ++i) {
        --cut;
    }
    if (cut == maxBytes || !IsUtf8Lead(text[cut])) {
        cut = maxBytes;
    }
    return std::string(text.substr(0, cut)) + "...";
}

}  // namespace tw
