#include "model/text/shown_text.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct ShownCase {
    std::string bytes;
    ShownTextLimit limit;
    std::string shown;
};

class ShownTextTest : public testing::TestWithParam<ShownCase> {};

TEST_P(ShownTextTest, CutsWhereTheLimitSays) {
    EXPECT_EQ(ShownText(GetParam().bytes, GetParam().limit), GetParam().shown);
}

constexpr ShownTextLimit kFiveOnOneLine{5, true};
constexpr ShownTextLimit kFive{5, false};

INSTANTIATE_TEST_SUITE_P(
    Cases, ShownTextTest,
    testing::Values(ShownCase{"", kFiveOnOneLine, ""}, ShownCase{"Inn", kFiveOnOneLine, "Inn"},
                    ShownCase{"Innke", kFiveOnOneLine, "Innke"},
                    ShownCase{"Innkeeper", kFiveOnOneLine, "Innke\x85"},
                    ShownCase{"In\nn", kFiveOnOneLine, "In\x85"},
                    ShownCase{"In\r\nn", kFiveOnOneLine, "In\x85"},
                    ShownCase{"Inn\r", kFiveOnOneLine, "Inn\x85"},
                    ShownCase{"\nInn", kFiveOnOneLine, "\x85"},
                    ShownCase{"Innke\nper", kFiveOnOneLine, "Innke\x85"},
                    ShownCase{"Innkeeper\nwipes", kFiveOnOneLine, "Innke\x85"},
                    ShownCase{"In\nn", kFive, "In\nn"},
                    ShownCase{"In\nnkeeper", kFive, "In\nnk\x85"},
                    ShownCase{"\xE9t\xE9s d'\xE9t\xE9", kFive, "\xE9t\xE9s \x85"}));

// A name of megabytes, as another tool may write, comes out at the limit.
TEST(ShownText, AHugeLabelIsCutToTheLimit) {
    const std::string huge(16 * 1024 * 1024, 'N');
    EXPECT_EQ(ShownText(huge, kLabelLimit), std::string(kLabelLimit.characters, 'N') + "\x85");
    EXPECT_EQ(ShownText(huge, kTipLimit).size(), kTipLimit.characters + 1);
}

}  // namespace
}  // namespace tw
