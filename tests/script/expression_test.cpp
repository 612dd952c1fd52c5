#include "script/expression.h"

#include <gtest/gtest.h>

#include "script/operators.h"
#include "script_test_support.h"

namespace tw {
namespace {

using test::Evaluate;
using test::EvaluateError;

TEST(ExpressionTest, VariablesAndFlagsReadFromTheEnvironment) {
    Environment environment;
    environment.Set("$Gold", 12);
    environment.Set("kMet", true);
    const ExprVariable gold("  $gold \t");
    EXPECT_EQ(gold.GetName(), "$gold");
    EXPECT_EQ(gold.Evaluate(environment), Value(12));
    EXPECT_FALSE(gold.IsBoolean());
    EXPECT_EQ(ExprVariable("$never").Evaluate(environment), Value(0));
    EXPECT_EQ(ExprVariable("kNever").Evaluate(environment), Value(false));
    EXPECT_EQ(ExprVariable("KMET").Evaluate(environment), Value(true));
    EXPECT_TRUE(ExprVariable("kMet").IsBoolean());
    std::string message = "unchanged";
    EXPECT_TRUE(gold.Check(message));
    EXPECT_EQ(message, "unchanged");
}

TEST(ExpressionTest, ConstantsAnswerTheirValue) {
    const ExprConstant constant(Value("x"));
    EXPECT_EQ(constant.Evaluate(Environment()), Value("x"));
    EXPECT_EQ(constant.GetValue(), Value("x"));
    EXPECT_FALSE(constant.IsBoolean());
    EXPECT_TRUE(ExprConstant(Value(false)).IsBoolean());
}

struct CheckCase {
    const char* condition;
    const char* message;  // "" when the check passes
    bool isBoolean;
};

TEST(ExpressionTest, StaticCheck) {
    const CheckCase cases[] = {
        {"1 + 2", "", false},
        {"$a > 1", "", true},
        {"not kMet", "", true},
        {"- $a", "", false},
        {"+ 'x'", "", false},
        {"true = false", "", true},
        {"'a' <> 1", "", true},
        {"kA and (kB or not kC)", "", true},
        {"true + 1", "Binary operator '+' can not be applied to different operand types", false},
        {"true + false", "'+' operator can not be applied to boolean values", false},
        {"not $x", "'not' operator can not be applied to non-boolean values", true},
        {"f1 ! f2", "'!' is not a binary operator", true},
        {"* 5", "'*' is not a unary operator", false},
        {"> 5", "'>' is not a unary operator", true},
        {"$a and $b", "'and' operator can not be applied to non-boolean values", true},
        {"true <= false", "'<=' operator can not be applied to boolean values", true},
        {"-true", "'-' operator can not be applied to boolean values", false},
        // The first failure below wins.
        {"(true + 1) * (not 2)",
         "Binary operator '+' can not be applied to different operand types", false},
        {"1 + (not 2)", "'not' operator can not be applied to non-boolean values", false},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.condition);
        const auto expression = ParseCondition(c.condition);
        std::string message;
        EXPECT_EQ(expression->Check(message), *c.message == '\0');
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(expression->IsBoolean(), c.isBoolean);
    }
}

TEST(ExpressionTest, BothSidesOfLogicAreEvaluated) {
    EXPECT_EQ(EvaluateError("false and (1 / 0 = 1)"), "Division by zero");
    EXPECT_EQ(EvaluateError("true or (1 % 0 = 1)"), "Division by zero (modulus)");
}

TEST(ExpressionTest, EvaluationLeavesTheEnvironmentAlone) {
    Environment environment;
    environment.Set("$x", 1);
    EXPECT_EQ(Evaluate("$x = 2", environment), Value(false));
    EXPECT_EQ(Evaluate("$y + 1", environment), Value(1));
    EXPECT_EQ(environment.size(), 1u);
    EXPECT_EQ(environment.Get("$x"), Value(1));
}

TEST(ExpressionTest, VariablesHoldAnyKindAtRunTime) {
    Environment environment;
    environment.Set("$s", "Orvane");
    environment.Set("$r", 0.5);
    EXPECT_EQ(Evaluate("$s + ' the Grey'", environment), Value("Orvane the Grey"));
    EXPECT_EQ(Evaluate("$r * 4", environment), Value(2.0));
    EXPECT_EQ(EvaluateError("$s - 1", environment), "Subtraction operator applied to string type");
}

TEST(ExpressionTest, DepthCountsTreeLevels) {
    EXPECT_EQ(ParseCondition("1")->Depth(), 1);
    EXPECT_EQ(ParseCondition("1 + 2")->Depth(), 2);
    EXPECT_EQ(ParseCondition("1 + 2 * -3")->Depth(), 4);
    EXPECT_EQ(ParseCondition("((1))")->Depth(), 1);
}

}  // namespace
}  // namespace tw
