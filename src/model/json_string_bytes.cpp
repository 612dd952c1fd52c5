#include "model/json_string_bytes.h"

#include <cstdint>
#include <cstring>

#include "base/windows1252.h"

namespace tw {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// Reads the code point of \uXXXX at pos (just after the 'u'); a surrogate has no
// Windows-1252 byte, so it is refused like any other such character.
std::optional<char32_t> UnicodeEscape(std::string_view text, std::size_t& pos) {
    if (text.size() - pos < 4) {
        return std::nullopt;
    }
    char32_t code = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const int digit = HexDigit(text[pos + i]);
        if (digit < 0) {
            return std::nullopt;
        }
        code = code * 16 + static_cast<char32_t>(digit);
    }
    pos += 4;
    return code;
}

// One escape at pos (just after the backslash).
std::optional<char32_t> Escape(std::string_view text, std::size_t& pos) {
    if (pos == text.size()) {
        return std::nullopt;
    }
    switch (text[pos++]) {
        case '"':
            return U'"';
        case '\\':
            return U'\\';
        case '/':
            return U'/';
        case 'b':
            return U'\b';
        case 'f':
            return U'\f';
        case 'n':
            return U'\n';
        case 'r':
            return U'\r';
        case 't':
            return U'\t';
        case 'u':
            return UnicodeEscape(text, pos);
        default:
            return std::nullopt;
    }
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A UTF-8 sequence of two or three bytes at pos; every character Windows-1252 holds is
// one of those.
std::optional<char32_t> Utf8Sequence(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead >= 0xC2 && lead < 0xE0 && text.size() - pos >= 2 && IsContinuation(text[pos + 1])) {
        const char32_t code = ((lead & 0x1Fu) << 6) | (text[pos + 1] & 0x3F);
        pos += 2;
        return code;
    }
    if (lead >= 0xE0 && lead < 0xF0 && text.size() - pos >= 3 && IsContinuation(text[pos + 1]) &&
        IsContinuation(text[pos + 2])) {
        const char32_t code =
            ((lead & 0x0Fu) << 12) | ((text[pos + 1] & 0x3Fu) << 6) | (text[pos + 2] & 0x3F);
        pos += 3;
        return code >= 0x800 ? std::optional<char32_t>(code) : std::nullopt;
    }
    return std::nullopt;
}

bool IsPlain(unsigned char c) {
    return c >= 0x20 && c < 0x80 && c != '\\' && c != '"';
}

// Whether any of eight bytes is a control character, a backslash, a quote or past ASCII.
bool AnyUnplain(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    const auto hasZero = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighs; };
    const std::uint64_t control = (word - 0x20 * kOnes) & ~word & kHighs;
    return ((word & kHighs) | control | hasZero(word ^ ('\\' * kOnes)) |
            hasZero(word ^ ('"' * kOnes))) != 0;
}

// The byte a one-letter escape stands for, 0 for none (\u is read apart).
char SimpleEscape(char letter) {
    switch (letter) {
        case '"':
            return '"';
        case '\\':
            return '\\';
        case '/':
            return '/';
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        default:
            return 0;
    }
}

// Converts what follows a plain run at pos: one escape or one UTF-8 sequence.
std::optional<unsigned char> SpecialAt(std::string_view text, std::size_t& pos) {
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c == '\\' && pos + 1 < text.size()) {
        if (const char simple = SimpleEscape(text[pos + 1])) {
            pos += 2;
            return static_cast<unsigned char>(simple);
        }
    }
    std::optional<char32_t> code;
    if (c == '\\') {
        code = Escape(text, ++pos);
    } else if (c >= 0x80) {
        code = Utf8Sequence(text, pos);
    }
    return code ? UnicodeToWindows1252(*code) : std::nullopt;
}

}  // namespace

// Every escape and UTF-8 sequence is at least as long as the byte it gives, so the bytes
// fit in a buffer the size of the text, and plain bytes are copied eight at a time.
std::optional<std::string> JsonStringBytes(std::string_view text) {
    std::string bytes(text.size(), '\0');
    char* out = bytes.data();
    std::size_t pos = 0;
    while (pos < text.size()) {
        for (std::uint64_t word; text.size() - pos >= 8; pos += 8, out += 8) {
            std::memcpy(&word, text.data() + pos, sizeof word);
            if (AnyUnplain(word)) {
                break;
            }
            std::memcpy(out, &word, sizeof word);
        }
        while (pos < text.size() && IsPlain(static_cast<unsigned char>(text[pos]))) {
            *out++ = text[pos++];
        }
        if (pos == text.size()) {
            break;
        }
        const std::optional<unsigned char> byte = SpecialAt(text, pos);
        if (!byte) {
            return std::nullopt;
        }
        *out++ = static_cast<char>(*byte);
    }
    bytes.resize(static_cast<std::size_t>(out - bytes.data()));
    return bytes;
}

}  // namespace tw
