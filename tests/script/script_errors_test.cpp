#include "script/script_errors.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

TEST(ScriptErrorsTest, ErrorsCarryTheirMessage) {
    EXPECT_EQ(SyntaxError("Empty expression not allowed").GetMessage(),
              "Empty expression not allowed");
    EXPECT_EQ(RuntimeError("Division by zero").GetMessage(), "Division by zero");
}

TEST(ControlFlowExceptionTest, KindsAndFirstText) {
    EXPECT_EQ(ControlFlowException::END, 0);
    EXPECT_EQ(ControlFlowException::GOTO, 1);
    EXPECT_EQ(ControlFlowException::BRANCH, 2);
    EXPECT_EQ(ControlFlowException::REPLY, 3);
    EXPECT_EQ(ControlFlowException::LIST, 4);
    const ControlFlowException transfer(ControlFlowException::GOTO, "Start");
    EXPECT_EQ(transfer.GetKind(), ControlFlowException::GOTO);
    EXPECT_EQ(transfer.GetFirstText(), "Start");
    EXPECT_EQ(transfer.GetText(0), "Start");
}

TEST(ControlFlowExceptionTest, HoldsTheTextsOfTwelveChoices) {
    ControlFlowException transfer(ControlFlowException::LIST, "12");
    ASSERT_GE(transfer.GetTexts().size(), 25u);
    for (std::size_t i = 1; i < 25; ++i) {
        EXPECT_EQ(transfer.GetText(i), "");
        transfer.SetText(i, "text " + std::to_string(i));
    }
    for (std::size_t i = 1; i < 25; ++i) {
        EXPECT_EQ(transfer.GetTexts()[i], "text " + std::to_string(i));
    }
}

TEST(ControlFlowExceptionTest, IndexesPastTheEndAreIgnored) {
    ControlFlowException transfer(ControlFlowException::END, "");
    transfer.SetText(ControlFlowException::kTextCount, "lost");
    EXPECT_EQ(transfer.GetText(ControlFlowException::kTextCount), "");
    EXPECT_EQ(transfer.GetText(1000), "");
}

}  // namespace
}  // namespace tw
