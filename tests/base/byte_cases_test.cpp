// The byte-string helpers and the Windows-1252 conversions, run over the case files in cases/.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "base/byte_string.h"
#include "base/windows1252.h"
#include "support/line_cases.h"

namespace tw {
namespace {

std::string Hex(std::string_view bytes) {
    std::string hex;
    for (unsigned char byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, " %02X", byte);
        hex += digits;
    }
    return hex;
}

// Runs cases/windows1252.txt; whatever is stored shows as UTF-8 that stores back the same.
std::string Answer(const std::string& line) {
    std::istringstream words(line);
    std::string kind;
    words >> kind;
    std::string bytes;
    for (unsigned value = 0; words >> std::hex >> value;) {
        bytes += static_cast<char>(value);
    }
    if (kind == "char") {
        char code[16];
        std::snprintf(
            code, sizeof code, "U+%04X",
            static_cast<unsigned>(Windows1252ToUnicode(static_cast<unsigned char>(bytes[0]))));
        return code;
    }
    if (kind == "unicode") {
        std::istringstream code(line.substr(8));
        std::uint32_t value = 0;
        code >> std::hex >> value;
        const auto byte = UnicodeToWindows1252(static_cast<char32_t>(value));
        return byte ? Hex(std::string(1, static_cast<char>(*byte))) : "none";
    }
    if (kind == "1252") {
        const std::string utf8 = Windows1252ToUtf8(bytes);
        EXPECT_EQ(Utf8ToWindows1252(utf8), bytes);
        return "utf8" + Hex(utf8);
    }
    std::string error;
    const std::optional<std::string> stored = Utf8ToWindows1252(bytes, &error);
    if (!stored) {
        return "error: " + error;
    }
    EXPECT_EQ(Windows1252ToUtf8(*stored), bytes);
    return "1252" + Hex(*stored);
}

// Runs cases/byte_string.txt.
std::string ByteStringAnswer(const std::string& line) {
    const std::size_t space = line.find(' ');
    const std::string kind = line.substr(0, space);
    const std::string text = test::Unescaped(line.substr(space + 1));
    if (kind == "compare") {
        const std::size_t bar = text.find('|');
        const std::string a = text.substr(0, bar);
        const std::string b = text.substr(bar + 1);
        const int order = CompareNoCase(a, b);
        return std::string(order < 0   ? "less"
                           : order > 0 ? "greater"
                                       : "same") +
               (EqualsNoCase(a, b) ? ", equal" : "");
    }
    const std::string answer = kind == "trim"       ? "[" + Trim(text) + "]"
                               : kind == "trimleft" ? "[" + TrimLeft(text) + "]"
                               : kind == "space"    ? (ContainsWhiteSpace(text) ? "yes" : "no")
                               : kind == "nonword"  ? (ContainsNonWordChar(text) ? "yes" : "no")
                               : kind == "int"      ? FormatInt(std::stoll(text))
                               : kind == "real"     ? FormatReal(std::stod(text))
                                                    : std::to_string(StrToLong32(text));
    return answer;
}

TEST(ByteString, Cases) {
    test::ExpectLineCases(std::string(TW_SOURCE_DIR) + "/tests/base/cases/byte_string.txt",
                          ByteStringAnswer);
    EXPECT_EQ(FormatReal(1e300).size(), 301u + 7u);
}

TEST(Windows1252, Cases) {
    test::ExpectLineCases(std::string(TW_SOURCE_DIR) + "/tests/base/cases/windows1252.txt", Answer);
}

}  // namespace
}  // namespace tw
