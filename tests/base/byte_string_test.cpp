#include "base/byte_string.h"

#include <gtest/gtest.h>

#include <limits>

namespace tw {
namespace {

TEST(ByteStringTest, CompareNoCaseFoldsAsciiOnlyAndComparesUnsigned) {
    EXPECT_EQ(CompareNoCase("WaliveFarrow", "walivefarrow"), 0);
    EXPECT_LT(CompareNoCase("a_b", "aB"), 0);  // '_' is 0x5F, 'b' 0x62
    EXPECT_LT(CompareNoCase("$gold", "0"), 0);
    EXPECT_LT(CompareNoCase("abc", "abcd"), 0);
    EXPECT_GT(CompareNoCase("\xe9", "z"), 0);    // high bytes sort above ASCII
    EXPECT_FALSE(EqualsNoCase("\xc9", "\xe9"));  // no folding outside ASCII
    EXPECT_TRUE(EqualsNoCase("Initialization Node", "initialization node"));
}

TEST(ByteStringTest, TrimRemovesCLocaleWhiteSpaceAtBothEnds) {
    EXPECT_EQ(Trim(" \t\r\n\v\fword  x \n"), "word  x");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(Trim("\xa0x\xa0"), "\xa0x\xa0");  // 0xA0 is not white space in the C locale
}

TEST(ByteStringTest, CharacterTests) {
    EXPECT_TRUE(ContainsWhiteSpace("a b"));
    EXPECT_FALSE(ContainsWhiteSpace("ab_c"));
    EXPECT_FALSE(ContainsNonWordChar("Node_1 two"));
    EXPECT_TRUE(ContainsNonWordChar("Node-1"));
    EXPECT_TRUE(ContainsNonWordChar("Caf\xe9"));
}

TEST(ByteStringTest, FormatsLikePrintf) {
    EXPECT_EQ(FormatInt(-7), "-7");
    EXPECT_EQ(FormatReal(2.5), "2.500000");
    EXPECT_EQ(FormatReal(-0.25), "-0.250000");
    EXPECT_EQ(FormatReal(1e300).size(), 301u + 7u);
}

TEST(ByteStringTest, StrToLong32ReadsLikeStrtolWithA32BitLong) {
    EXPECT_EQ(StrToLong32("12abc"), 12);
    EXPECT_EQ(StrToLong32("  -42"), -42);
    EXPECT_EQ(StrToLong32("+7"), 7);
    EXPECT_EQ(StrToLong32("abc"), 0);
    EXPECT_EQ(StrToLong32("99999999999999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(StrToLong32("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(StrToLong32("-99999999999"), std::numeric_limits<std::int32_t>::min());
}

TEST(ByteStringTest, StrToDoubleReadsLikeAtof) {
    EXPECT_DOUBLE_EQ(StrToDouble(".5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToDouble("5."), 5.0);
    EXPECT_DOUBLE_EQ(StrToDouble("x"), 0.0);
}

}  // namespace
}  // namespace tw
