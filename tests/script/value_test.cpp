#include "script/value.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct TextCase {
    Value value;
    ValueType type;
    const char* text;
};

TEST(ValueTest, KindAndTextFormOfEachKind) {
    const TextCase cases[] = {
        {Value(3.0), ValueType::Real, "3.000000"},
        {Value(2.5), ValueType::Real, "2.500000"},
        {Value(-0.25), ValueType::Real, "-0.250000"},
        {Value(-7), ValueType::Integer, "-7"},
        {Value(2147483647), ValueType::Integer, "2147483647"},
        {Value(""), ValueType::String, ""},
        {Value(std::string("Orvane")), ValueType::String, "Orvane"},
        {Value(true), ValueType::Boolean, "true"},
        {Value(false), ValueType::Boolean, "false"},
        {Value(), ValueType::Invalid, "0"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.value.GetType(), c.type);
        EXPECT_EQ(c.value.ToString(), c.text);
        EXPECT_EQ(c.value.IsBoolean(), c.type == ValueType::Boolean);
        EXPECT_EQ(c.value.IsNotBoolean(), c.type != ValueType::Boolean);
    }
}

TEST(ValueTest, KindNumbersAreTheStoredOnes) {
    EXPECT_EQ(static_cast<int>(ValueType::Real), 0);
    EXPECT_EQ(static_cast<int>(ValueType::Integer), 1);
    EXPECT_EQ(static_cast<int>(ValueType::String), 2);
    EXPECT_EQ(static_cast<int>(ValueType::Boolean), 3);
    EXPECT_EQ(static_cast<int>(ValueType::Invalid), -1);
}

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

TEST(ValueTest, PayloadsAndCopies) {
    const Value integer(42);
    const Value copy = integer;
    EXPECT_EQ(copy.GetInteger(), 42);
    EXPECT_EQ(copy.GetType(), ValueType::Integer);
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

TEST(ValueTest, TypeNames) {
    EXPECT_STREQ(ValueTypeName(ValueType::Real), "real");
    EXPECT_STREQ(ValueTypeName(ValueType::Integer), "integer");
    EXPECT_STREQ(ValueTypeName(ValueType::String), "string");
    EXPECT_STREQ(ValueTypeName(ValueType::Boolean), "boolean");
    EXPECT_STREQ(ValueTypeName(ValueType::Invalid), "invalid");
}

}  // namespace
}  // namespace tw
