#include "model/editing/script_field_check.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(ScriptFieldCheckTest, StatementsAreParsedAndChecked) {
    EXPECT_EQ(CheckStatementField("  "), FieldCheck{});
    EXPECT_EQ(CheckStatementField("set kMet = TRUE").state, FieldCheck::kFine);
    EXPECT_EQ(CheckStatementField("goto Farewell").state, FieldCheck::kFine);
    EXPECT_EQ(CheckStatementField("set $x = 5"),
              (FieldCheck{FieldCheck::kError, "Result of 'set' must be a boolean value"}));
    EXPECT_EQ(CheckStatementField("Flag1 = 3").message,
              "Assignment to flag is not allowed, use 'set' instead");
    EXPECT_EQ(CheckStatementField("x").message,
              "Invalid statement (expected '=' following identifier 'x')");
}

TEST(ScriptFieldCheckTest, ExpressionsAreParsedAndChecked) {
    EXPECT_EQ(CheckExpressionField(""), FieldCheck{});
    EXPECT_EQ(CheckExpressionField("$x > 1 and kMet").state, FieldCheck::kFine);
    EXPECT_EQ(CheckExpressionField("5").state, FieldCheck::kFine);
    EXPECT_EQ(CheckExpressionField("true + 1").message,
              "Binary operator '+' can not be applied to different operand types");
    EXPECT_EQ(CheckExpressionField("(a or b))").message, "Parentheses mismatch: unexpected ')'");
    EXPECT_EQ(CheckExpressionField("f1 ! f2").message, "'!' is not a binary operator");
}

}  // namespace
}  // namespace tw
