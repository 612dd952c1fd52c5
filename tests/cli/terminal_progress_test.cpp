#include "cli/terminal_progress.h"

#include <gtest/gtest.h>

namespace tw::cli {
namespace {

TEST(ProgressBar, FillsInProportion) {
    struct Case {
        std::size_t done, total, width;
        const char* bar;
    };
    const Case cases[] = {
        {0, 4, 8, "[        ] 0/4"},    {1, 4, 8, "[##      ] 1/4"}, {4, 4, 8, "[########] 4/4"},
        {3, 7, 10, "[####      ] 3/7"}, {0, 0, 4, "[####] 0/0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgressBar(c.done, c.total, c.width), c.bar);
    }
}

}  // namespace
}  // namespace tw::cli
