#include "script/compile.h"

#include <gtest/gtest.h>

#include "script_test_support.h"

namespace tw {
namespace {

using test::CompileError;

TEST(CompileTest, CompileStatementChecks) {
    EXPECT_EQ(CompileStatement(""), nullptr);
    EXPECT_EQ(CompileStatement("   "), nullptr);
    EXPECT_NE(CompileStatement("$x = 1"), nullptr);
    EXPECT_EQ(CompileError("set $x = 5"), "Result of 'set' must be a boolean value");
    EXPECT_EQ(CompileError("set $x = true"), "'set' statement can only be used with flags");
    EXPECT_EQ(CompileError("x 5"), "Invalid statement (expected '=' following identifier 'x')");
}

TEST(CompileTest, LineEndsAtItsFirstNul) {
    using namespace std::string_literals;
    EXPECT_EQ(CompileStatement("\0$x = 1"s), nullptr);
    Environment environment;
    CompileStatement("$x = 1\0 + 1"s)->Execute(environment);
    EXPECT_EQ(environment.Get("$x"), Value(1));
    EXPECT_EQ(ParseCondition("1 + 2\0 junk )"s)->Evaluate(environment), Value(3));
}

TEST(CompileTest, ParseConditionDoesNotCheck) {
    EXPECT_EQ(ParseCondition(" \t"), nullptr);
    const auto unchecked = ParseCondition("not $x");
    ASSERT_NE(unchecked, nullptr);
    std::string message;
    EXPECT_FALSE(unchecked->Check(message));
    EXPECT_EQ(unchecked->Evaluate(Environment()), Value(true));
    EXPECT_EQ(test::ConditionError("$gold >= 10 then"),
              "Malformed expression (does not reduce to a single value)");
    EXPECT_EQ(test::ConditionError("then"), "Malformed expression (unexpected keyword 'then')");
}

}  // namespace
}  // namespace tw
