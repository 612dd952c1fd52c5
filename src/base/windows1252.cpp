#include "base/windows1252.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tw {
namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the high half is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
static_assert(kHighControls.size() == 0xA0 - 0x80);

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at pos; nullopt for a malformed one.
std::optional<char32_t> DecodeAt(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const int extra = lead < 0x80         ? 0
                      : (lead >> 5) == 6  ? 1
                      : (lead >> 4) == 14 ? 2
                      : (lead >> 3) == 30 ? 3
                                          : -1;
    if (extra < 0 || pos + static_cast<std::size_t>(extra) >= text.size()) {
        return std::nullopt;
    }
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 4> kSmallest = {0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[static_cast<std::size_t>(extra)] || c > 0x10FFFF ||
        (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return c;
}

}  // namespace

char32_t Windows1252ToUnicode(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

std::optional<unsigned char> UnicodeToWindows1252(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        return static_cast<unsigned char>(code);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == code) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes) {
        AppendUtf8(out, Windows1252ToUnicode(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view text, std::string* error) {
    std::string out;
    out.reserve(text.size());
    // ASCII is its own Windows-1252 text: the run before the first byte that needs
    // decoding is copied as it is, which is most text in one step.
    const auto ascii = std::find_if(text.begin(), text.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    std::size_t pos = static_cast<std::size_t>(ascii - text.begin());
    out.append(text.substr(0, pos));
    while (pos < text.size()) {
        const std::size_t start = pos;
        const std::optional<char32_t> c = DecodeAt(text, pos);
        const std::optional<unsigned char> byte = c ? UnicodeToWindows1252(*c) : std::nullopt;
        if (!byte) {
            if (error != nullptr) {
                char message[96];
                if (c) {
                    std::snprintf(message, sizeof message,
                                  "character U+%04X has no Windows-1252 byte",
                                  static_cast<unsigned>(*c));
                } else {
                    std::snprintf(message, sizeof message, "invalid UTF-8 at byte %zu", start);
                }
                *error = message;
            }
            return std::nullopt;
        }
        out.push_back(static_cast<char>(*byte));
    }
    return out;
}

}  // namespace tw
