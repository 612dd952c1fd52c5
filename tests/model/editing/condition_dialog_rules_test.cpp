#include "model/editing/condition_dialog_rules.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

ConditionFields Simple(std::string left, std::size_t op, std::string right) {
    ConditionFields fields;
    fields.left = std::move(left);
    fields.operatorIndex = op;
    fields.right = std::move(right);
    return fields;
}

TEST(ConditionRulesTest, SimpleComparisonsUseTheOperatorOfTheItem) {
    const char* const expected[] = {"$gold == 5", "$gold != 5", "$gold > 5",
                                    "$gold >= 5", "$gold < 5",  "$gold <= 5"};
    for (std::size_t i = 0; i < kComparisonOperators.size(); ++i) {
        EXPECT_EQ(BuildCondition(Simple(" $gold ", i, "5 ")).expression, expected[i]);
    }
    EXPECT_STREQ(kComparisonOperators[1].label, "!=  (NOT EQUAL)");
    EXPECT_EQ(BuildCondition(Simple("my flag", 0, "TRUE")).expression, "(my flag) == TRUE");
    EXPECT_EQ(BuildCondition(Simple("a", 0, "$x + 1")).expression, "a == ($x + 1)");
}

TEST(ConditionRulesTest, EmptySidesAreRefusedWithTheFormsMessage) {
    const ConditionOutcome simple = BuildCondition(Simple("$gold", 3, "  "));
    EXPECT_FALSE(simple.expression);
    EXPECT_EQ(simple.error,
              "Both sides of the expression must contain values (constants, variables, "
              "flags, or complex expressions)");
    ConditionFields fields;
    fields.form = ConditionForm::kConjunction;
    fields.andLeft = "a";
    EXPECT_EQ(BuildCondition(fields).error,
              "Both sides of the AND must contain boolean expressions");
    fields.form = ConditionForm::kDisjunction;
    fields.orRight = "b";
    EXPECT_EQ(BuildCondition(fields).error,
              "Both sides of the OR must contain boolean expressions");
    fields.form = ConditionForm::kComplex;
    fields.complex = " \t";
    EXPECT_EQ(BuildCondition(fields).error, "You must enter a boolean expression");
}

TEST(ConditionRulesTest, ConjunctionDisjunctionAndComplex) {
    ConditionFields fields;
    fields.form = ConditionForm::kConjunction;
    fields.andLeft = "a";
    fields.andRight = " b";
    EXPECT_EQ(BuildCondition(fields).expression, "a AND b");
    fields.andLeft = "$x > 1";
    EXPECT_EQ(BuildCondition(fields).expression, "($x > 1) AND b");
    fields.form = ConditionForm::kDisjunction;
    fields.orLeft = "c";
    fields.orRight = "not d";
    EXPECT_EQ(BuildCondition(fields).expression, "c OR (not d)");
    fields.form = ConditionForm::kComplex;
    fields.complex = "  a and (b or c) ";
    EXPECT_EQ(BuildCondition(fields).expression, "a and (b or c)");
    fields.form = ConditionForm::kNone;
    const ConditionOutcome none = BuildCondition(fields);
    EXPECT_FALSE(none.expression);
    EXPECT_EQ(none.error, "");
}

}  // namespace
}  // namespace tw
