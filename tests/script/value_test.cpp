#include "script/value.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(ValueTest, PayloadOfAnotherKindReadsAsZero) {
    const Value text("yes");
    EXPECT_EQ(text.GetInteger(), 0);
    EXPECT_EQ(text.GetReal(), 0.0);
    EXPECT_FALSE(text.GetBoolean());
    EXPECT_FALSE(Value(1).GetBoolean());
    EXPECT_FALSE(Value(1.0).GetBoolean());
    EXPECT_EQ(Value(true).GetInteger(), 0);
    EXPECT_EQ(Value(7).GetReal(), 0.0);
    EXPECT_EQ(Value(7.5).GetInteger(), 0);
    EXPECT_EQ(Value(7).GetString(), "");
    EXPECT_FALSE(Value().GetBoolean());
}

TEST(ValueTest, PayloadsOfTheirOwnKind) {
    EXPECT_EQ(Value(42).GetInteger(), 42);
    EXPECT_EQ(Value(0.5).GetReal(), 0.5);
    EXPECT_TRUE(Value(true).GetBoolean());
    EXPECT_EQ(Value("abc").GetString(), "abc");
    EXPECT_EQ(Value(3).AsReal(), 3.0);
    EXPECT_EQ(Value("3").AsReal(), 0.0);
}

TEST(ValueTest, EqualityComparesKindAndPayload) {
    EXPECT_EQ(Value(1), Value(1));
    EXPECT_NE(Value(1), Value(1.0));
    EXPECT_NE(Value("a"), Value("A"));
    EXPECT_EQ(Value(), Value());
    EXPECT_NE(Value(true), Value(false));
}

}  // namespace
}  // namespace tw
