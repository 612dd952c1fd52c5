#include "ui/platform/text_codec.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(TextCodecTest, BytesAreWindows1252BothWays) {
    EXPECT_EQ(FromBytes("Caf\xe9 \x80 \x93x\x94"), QString::fromUtf8("Café € “x”"));
    EXPECT_EQ(ToBytes(QString::fromUtf8("Café € “x” — ŸŒ")),
              "Caf\xe9 \x80 \x93x\x94 \x97 \x9f\x8c");
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(ToBytes(FromBytes(all)), all);
}

TEST(TextCodecTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(ToBytes(QString::fromUtf8("Жук ĉ")), "??? ?");
    // A character beyond the basic plane is one character, so one '?'.
    EXPECT_EQ(ToBytes(QString::fromUtf8("a\xF0\x9F\x98\x80z")), "a?z");
}

TEST(TextCodecTest, PathsAreTheFileSystemsBytes) {
    const std::string path = "/tmp/\xc3\xa9t\xc3\xa9.vrx";  // UTF-8 on this platform
    EXPECT_EQ(FromPath(path), QString::fromUtf8("/tmp/été.vrx"));
    EXPECT_EQ(ToPath(FromPath(path)), path);
}

}  // namespace
}  // namespace tw
