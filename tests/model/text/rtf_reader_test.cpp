#include "model/text/rtf_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "model/text/rich_text.h"

namespace tw {
namespace {

// Texts and documents are cases in cases/rtf.txt and data/.
TEST(RtfReaderTest, DeepNestingIsBoundedAndTextAfterItSurvives) {
    const std::string deep = std::string(100000, '{') + "lost" + std::string(100000, '}');
    EXPECT_EQ(PlainText(ReadRtf("a" + deep + "b")), "ab");
    EXPECT_EQ(PlainText(ReadRtf("{{{x}}}")), "x");
}

}  // namespace
}  // namespace tw
