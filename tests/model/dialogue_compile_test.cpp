#include "model/dialogue_compile.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// Messages and progress of small dialogues are cases in check/cases/findings.jsonl.

TEST(DialogueCompile, PercentIsAFloatingPointRatioTruncated) {
    struct Case {
        std::size_t compiled, total;
        int percent;
    };
    const Case cases[] = {
        {0, 5, 0},     {1, 3, 33},  {2, 3, 66},    {3, 3, 100},
        {1, 7, 14},    {6, 7, 85},  {57, 100, 56},  // 0.57 * 100 is just below 57 in floating point
        {29, 29, 100}, {1, 1, 100}, {0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ((CompileProgress{c.compiled, c.total, 0}.Percent()), c.percent)
            << c.compiled << "/" << c.total;
    }
}

}  // namespace
}  // namespace tw
