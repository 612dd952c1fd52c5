#include "script/excerpt.h"

namespace tw {
namespace {

constexpr bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string Excerpt(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return std::string(text);
    }
    // Backing off over at most three continuation bytes keeps a UTF-8 character whole;
    // Windows-1252 text loses at most three bytes more, which an excerpt can spare.
    std::size_t cut = maxBytes;
    for (int i = 0; i < 3 && cut > 0 && IsUtf8Continuation(text[cut]); ++i) {
        --cut;
    }
    if (cut > 0 && IsUtf8Continuation(text[cut])) {
        cut = maxBytes;
    }
    return std::string(text.substr(0, cut)) + "...";
}

}  // namespace tw
