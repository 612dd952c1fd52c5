#include "tester/state_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

// A file of failing lines lists only the first errors and counts the rest, so its error
// list costs no more than the file.
TEST(StateFileTest, LoadListsAThousandErrorsAndCountsTheRest) {
    std::string text;
    for (std::size_t i = 0; i < kMaxListedStateErrors + 250; ++i) {
        text += "$ok" + std::to_string(i) + " = 1\nbad\n";
    }
    Environment environment;
    const std::vector<std::string> errors =
        LoadStateText(environment, text, "state ", StateErrorForm::kMessageOnly);
    ASSERT_EQ(errors.size(), kMaxListedStateErrors + 1);
    EXPECT_TRUE(errors.front().starts_with("state 2: ")) << errors.front();
    EXPECT_TRUE(errors[kMaxListedStateErrors - 1].starts_with("state 2000: "));
    EXPECT_EQ(errors.back(), "... and 250 more");
    EXPECT_EQ(environment.size(), kMaxListedStateErrors + 250);
}

}  // namespace
}  // namespace tw
