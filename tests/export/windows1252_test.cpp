#include "export/windows1252.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(Windows1252Test, EveryByteSurvivesARoundTrip) {
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t code = Windows1252ToUnicode(static_cast<unsigned char>(byte));
        EXPECT_EQ(UnicodeToWindows1252(code), static_cast<unsigned char>(byte)) << byte;
    }
}

TEST(Windows1252Test, MapsTheSpecialRange) {
    EXPECT_EQ(Windows1252ToUnicode(0x80), U'\u20ac');
    EXPECT_EQ(Windows1252ToUnicode(0x93), U'\u201c');
    EXPECT_EQ(Windows1252ToUnicode(0x9f), U'\u0178');
    EXPECT_EQ(Windows1252ToUnicode(0xe9), U'\u00e9');
    EXPECT_EQ(UnicodeToWindows1252(U'\u2014'), 0x97);
    EXPECT_EQ(UnicodeToWindows1252(U'\u0100'), std::nullopt);
    EXPECT_EQ(UnicodeToWindows1252(U'\u20ac' + 1), std::nullopt);
    EXPECT_EQ(UnicodeToWindows1252(U'\U0001F600'), std::nullopt);
}

}  // namespace
}  // namespace tw
