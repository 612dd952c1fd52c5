#include "cli/typed_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/windows1252.h"
#include "base/byte_string.h"

namespace tw::cli {
namespace {

// The character of the UTF-8 sequence at pos, advancing pos past it; nothing (pos left
// as it is) when no well-formed sequence starts there: overlong forms, surrogates and
// code points past U+10FFFF are malformed too.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t extra = lead < 0x80             ? 0
                              : (lead & 0xE0) == 0xC0 ? 1
                              : (lead & 0xF0) == 0xE0 ? 2
                              : (lead & 0xF8) == 0xF0 ? 3
                                                      : 4;
    if (extra == 4 || pos + extra >= text.size()) {
        return std::nullopt;
    }
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 4> kSmallest = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += extra + 1;
    return code;
}

}  // namespace

std::string TypedToWindows1252(std::string_view typed) {
    std::string bytes;
    bytes.reserve(typed.size());
    for (std::size_t pos = 0; pos < typed.size();) {
        if (const std::optional<char32_t> code = DecodeUtf8(typed, pos)) {
            bytes += static_cast<char>(UnicodeToWindows1252(*code).value_or('?'));
        } else {
            bytes += typed[pos++];
        }
    }
    return bytes;
}

std::string TypedToUtf8(std::string_view typed) {
    std::string text;
    text.reserve(typed.size());
    for (std::size_t pos = 0; pos < typed.size();) {
        const std::size_t start = pos;
        if (DecodeUtf8(typed, pos)) {
            text.append(typed.substr(start, pos - start));
        } else {
            text += Windows1252ToUtf8(typed.substr(pos++, 1));
        }
    }
    return text;
}

bool IsWholeNumber(std::string_view word) {
    if (!word.empty() && (word.front() == '+' || word.front() == '-')) {
        word.remove_prefix(1);
    }
    return !word.empty() && std::all_of(word.begin(), word.end(), IsDigit);
}

std::optional<std::size_t> OrdinalUpTo(std::string_view number, std::size_t max) {
    if (!IsWholeNumber(number) || number.front() == '-') {
        return std::nullopt;
    }
    number = number.substr(number.find_first_not_of("+0") == std::string_view::npos
                               ? number.size()
                               : number.find_first_not_of("+0"));
    // Beyond nine digits no count of rows can reach, and the value could overflow.
    if (number.empty() || number.size() > 9) {
        return std::nullopt;
    }
    const auto value = static_cast<std::size_t>(StrToLong32(number));
    return value <= max ? std::optional<std::size_t>(value) : std::nullopt;
}

}  // namespace tw::cli
