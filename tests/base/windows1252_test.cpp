#include "base/windows1252.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(Windows1252, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string utf8 = Windows1252ToUtf8(all);
    EXPECT_EQ(Utf8ToWindows1252(utf8), all);
}

TEST(Windows1252, MapsToTheExpectedCharacters) {
    const struct {
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"\x02"
         "B",
         "\x02"
         "B"},                     // control bytes stay
        {"\xE9", "\xC3\xA9"},      // é
        {"\x80", "\xE2\x82\xAC"},  // €
        {"\x9F", "\xC5\xB8"},      // Ÿ
        {"\x93\x94", "\xE2\x80\x9C\xE2\x80\x9D"},
        {"\x81", "\xC2\x81"},
        {"\x8D", "\xC2\x8D"},
        {"\x8F", "\xC2\x8F"},
        {"\x90", "\xC2\x90"},
        {"\x9D", "\xC2\x9D"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Windows1252ToUtf8(c.bytes), c.utf8);
        EXPECT_EQ(Utf8ToWindows1252(c.utf8), c.bytes);
    }
}

TEST(Windows1252, RefusesWhatItCannotStore) {
    const struct {
        std::string utf8;
        std::string error;
    } cases[] = {
        {"a\xE2\x98\x83", "character U+2603 has no Windows-1252 byte"},
        {"\xC2\x80", "character U+0080 has no Windows-1252 byte"},
        {"ab\xC3", "invalid UTF-8 at byte 2"},
        {"\xC0\xAF", "invalid UTF-8 at byte 0"},      // overlong
        {"\xED\xA0\x80", "invalid UTF-8 at byte 0"},  // surrogate
        {"\xFF", "invalid UTF-8 at byte 0"},
        {"x\xE2\x82", "invalid UTF-8 at byte 1"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(Utf8ToWindows1252(c.utf8, &error).has_value());
        EXPECT_EQ(error, c.error);
    }
}

// Plain ASCII runs are copied whole; what follows them must still be decoded in place.
TEST(Windows1252, AsciiRunsAroundOtherCharactersKeepTheirPlace) {
    using namespace std::string_literals;
    EXPECT_EQ(Utf8ToWindows1252("plain text"), "plain text");
    EXPECT_EQ(Utf8ToWindows1252("caf\xC3\xA9 au lait \xE2\x82\xAC"
                                "5"),
              "caf\xE9 au lait \x80"
              "5");
    EXPECT_EQ(Utf8ToWindows1252("a\0b\xC3\xA9"s), "a\0b\xE9"s);
    EXPECT_EQ(Utf8ToWindows1252(""), "");
    std::string error;
    EXPECT_FALSE(Utf8ToWindows1252("long ascii run \xC3\xA9 then \xFF", &error).has_value());
    EXPECT_EQ(error, "invalid UTF-8 at byte 23");
}

// What the whole-string tests cannot reach: characters beyond UTF-8's three-byte range and
// a code point one past a mapped one.
TEST(Windows1252, MapsSingleCharacters) {
    EXPECT_EQ(Windows1252ToUnicode(0x80), U'\u20ac');
    EXPECT_EQ(Windows1252ToUnicode(0xe9), U'\u00e9');
    EXPECT_EQ(UnicodeToWindows1252(U'\u2014'), 0x97);
    EXPECT_EQ(UnicodeToWindows1252(U'\u0100'), std::nullopt);
    EXPECT_EQ(UnicodeToWindows1252(U'\u20ac' + 1), std::nullopt);
    EXPECT_EQ(UnicodeToWindows1252(U'\U0001F600'), std::nullopt);
}

}  // namespace
}  // namespace tw
