#include "tester/node_text_preview.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(NodeTextPreviewTest, ReadsTheFirst126CharactersTrimmed) {
    EXPECT_EQ(NodeTextPreview("  Hello there. \r\n", false), "Hello there.");
    EXPECT_EQ(NodeTextPreview(" \t\r\n ", false), "");
    EXPECT_EQ(NodeTextPreview(std::string(126, ' ') + "late", false), "");
    EXPECT_EQ(NodeTextPreview(std::string(125, ' ') + "late", false), "l");
    EXPECT_EQ(PlainNodeText("{\\rtf1 plain}", false), "{\\rtf1 plain}");
}

TEST(NodeTextPreviewTest, RichTextIsReadAsItsPlainText) {
    const std::string blank = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\par }";
    const std::string hello = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Hello\\par }";
    EXPECT_EQ(NodeTextPreview(blank, true), "");
    EXPECT_EQ(NodeTextPreview(hello, true), "Hello");
    EXPECT_NE(NodeTextPreview(blank, false), "");
}

}  // namespace
}  // namespace tw
