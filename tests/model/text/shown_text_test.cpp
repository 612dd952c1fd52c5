#include "model/text/shown_text.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// The cut of short texts is in cases/shown.txt.

// A name of megabytes, as another tool may write, comes out at the limit.
TEST(ShownText, AHugeLabelIsCutToTheLimit) {
    const std::string huge(16 * 1024 * 1024, 'N');
    EXPECT_EQ(ShownText(huge, kLabelLimit), std::string(kLabelLimit.characters, 'N') + "\x85");
    EXPECT_EQ(ShownText(huge, kTipLimit).size(), kTipLimit.characters + 1);
}

}  // namespace
}  // namespace tw
