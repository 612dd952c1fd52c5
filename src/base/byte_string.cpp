#include "base/byte_string.h"

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace tw {

int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(ToLowerAscii(a[i]));
        const auto cb = static_cast<unsigned char>(ToLowerAscii(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

std::string ToLowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = ToLowerAscii(c);
    }
    return lower;
}

std::string TrimLeft(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsSpace(text[begin])) {
        ++begin;
    }
    return std::string(text.substr(begin));
}

std::string Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && IsSpace(text[end - 1])) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
}

bool ContainsWhiteSpace(std::string_view text) {
    for (char c : text) {
        if (IsSpace(c)) {
            return true;
        }
    }
    return false;
}

bool ContainsNonWordChar(std::string_view text) {
    for (char c : text) {
        if (!IsAlnum(c) && !IsSpace(c) && c != '_') {
            return true;
        }
    }
    return false;
}

std::string FormatInt(std::int64_t value) {
    return std::to_string(value);
}

std::string FormatReal(double value) {
    char small[64];
    const int needed = std::snprintf(small, sizeof small, "%f", value);
    if (needed < 0) {
        return {};
    }
    if (static_cast<std::size_t>(needed) < sizeof small) {
        return std::string(small, static_cast<std::size_t>(needed));
    }
    // Huge magnitudes print every integer digit ("%f" has no exponent).
    std::vector<char> large(static_cast<std::size_t>(needed) + 1);
    std::snprintf(large.data(), large.size(), "%f", value);
    return std::string(large.data(), static_cast<std::size_t>(needed));
}

std::int32_t StrToLong32(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate with saturation; the bound is one past INT32_MAX for negative values.
    const std::int64_t limit =
        negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                 : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) {
            magnitude = limit;
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

double StrToDouble(std::string_view text) {
    // strtod needs a terminated buffer; locale is "C" for the whole program.
    const std::string copy(text);
    return std::strtod(copy.c_str(), nullptr);
}

}  // namespace tw
