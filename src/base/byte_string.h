#pragma once

// The model's strings are plain bytes held in std::string: no encoding is assumed.
// Comparisons between them follow the C library's case-insensitive comparison in
// the C locale: ASCII upper-case letters are folded to lower case and the bytes are
// compared as unsigned characters. Bytes above 0x7F are neither letters, digits nor
// white space.

#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

constexpr bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool IsAlnum(char c) {
    return IsAlpha(c) || IsDigit(c);
}
constexpr char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// strcasecmp in the C locale: negative, zero or positive.
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Ordering for case-insensitive maps and sets (transparent, so lookups take views).
struct LessNoCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        return CompareNoCase(a, b) < 0;
    }
};

std::string ToLowerAscii(std::string_view text);

// Removes leading and trailing white space.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);

bool ContainsWhiteSpace(std::string_view text);
// True when the text holds a character other than a letter, digit, white space or '_'.
bool ContainsNonWordChar(std::string_view text);

// printf "%d" and "%f".
std::string FormatInt(std::int64_t value);
std::string FormatReal(double value);

// strtol in base 10 with a 32-bit long: leading white space and a sign are accepted,
// conversion stops at the first non-digit (no digits give 0), and a value outside the
// 32-bit range is clamped to its nearest bound.
std::int32_t StrToLong32(std::string_view text);

// atof: the longest prefix (after white space) that reads as a decimal real; 0 if none.
double StrToDouble(std::string_view text);

}  // namespace tw
