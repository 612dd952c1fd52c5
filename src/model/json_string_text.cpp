#include "model/json_string_text.h"

#include <array>
#include <cstdint>

#include "base/windows1252.h"

namespace tw {
namespace {

// What one byte becomes inside a literal: up to six characters.
struct Spelling {
    std::array<char, 6> chars{};
    std::uint8_t size = 0;
};

Spelling Escaped(char letter) {
    return Spelling{{'\\', letter}, 2};
}

Spelling SpellingOf(unsigned char byte) {
    constexpr std::string_view kHex = "0123456789abcdef";
    switch (byte) {
        case '"':
            return Escaped('"');
        case '\\':
            return Escaped('\\');
        case '\b':
            return Escaped('b');
        case '\f':
            return Escaped('f');
        case '\n':
            return Escaped('n');
        case '\r':
            return Escaped('r');
        case '\t':
            return Escaped('t');
        default:
            break;
    }
    if (byte < 0x20) {
        return Spelling{{'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]}, 6};
    }
    const char32_t code = Windows1252ToUnicode(byte);
    Spelling out;
    if (code < 0x80) {
        out.chars[out.size++] = static_cast<char>(code);
    } else if (code < 0x800) {
        out.chars[out.size++] = static_cast<char>(0xC0 | (code >> 6));
        out.chars[out.size++] = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out.chars[out.size++] = static_cast<char>(0xE0 | (code >> 12));
        out.chars[out.size++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out.chars[out.size++] = static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

using SpellingTable = std::array<Spelling, 256>;

const SpellingTable& Spellings() {
    static const SpellingTable table = [] {
        SpellingTable spellings;
        for (unsigned byte = 0; byte < spellings.size(); ++byte) {
            spellings[byte] = SpellingOf(static_cast<unsigned char>(byte));
        }
        return spellings;
    }();
    return table;
}

// Bytes that stand for themselves; runs of them are copied whole.
bool IsPlain(unsigned char byte) {
    return byte >= 0x20 && byte < 0x80 && byte != '"' && byte != '\\';
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view windows1252) {
    const SpellingTable& spellings = Spellings();
    out.push_back('"');
    std::size_t start = 0;
    for (std::size_t i = 0; i < windows1252.size(); ++i) {
        const auto byte = static_cast<unsigned char>(windows1252[i]);
        if (IsPlain(byte)) {
            continue;
        }
        out.append(windows1252.data() + start, i - start);
        const Spelling& spelling = spellings[byte];
        out.append(spelling.chars.data(), spelling.size);
        start = i + 1;
    }
    out.append(windows1252.data() + start, windows1252.size() - start);
    out.push_back('"');
}

}  // namespace tw
