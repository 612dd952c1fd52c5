#include "model/text/rtf_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "model/text/rich_text.h"
#include "model/text/rtf_to_text.h"

namespace tw {
namespace {

std::string ReadData(const std::string& name) {
    std::ifstream in(std::string(TW_SOURCE_DIR) + "/tests/model/text/data/" + name,
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(RtfReaderTest, DeepNestingIsBoundedAndTextAfterItSurvives) {
    const std::string deep = std::string(100000, '{') + "lost" + std::string(100000, '}');
    EXPECT_EQ(PlainText(ReadRtf("a" + deep + "b")), "ab");
    EXPECT_EQ(PlainText(ReadRtf("{{{x}}}")), "x");
}

struct LibreOfficeCase {
    const char* file;
    std::string text;
};

class LibreOfficeRtfTest : public testing::TestWithParam<LibreOfficeCase> {};

// LibreOffice ends every paragraph with \par, the last one included.
TEST_P(LibreOfficeRtfTest, TextComesThrough) {
    const std::string rtf = ReadData(GetParam().file);
    ASSERT_FALSE(rtf.empty());
    EXPECT_EQ(PlainText(ReadRtf(rtf)), GetParam().text);
    // The plain-text conversion keeps only the outermost group's text; LibreOffice puts
    // every run in a group of its own, so only the paragraph marks' line breaks remain.
    EXPECT_EQ(RtfToText(rtf).find_first_not_of("\r\n "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LibreOfficeRtfTest,
    testing::Values(LibreOfficeCase{"lo_accents_styles.rtf",
                                    "Bonjour, voyageur! Caf\xe9 cr\xe8me \xe0 l'\xe9tape.\n"
                                    "Bold words and italic words and underlined.\n"
                                    "Red text, green, blue.\n"
                                    "Braces {like this} and back\\slash, na\xefve \xf6l \xfc"
                                    "ber, "
                                    "fa\xe7"
                                    "ade.\n"},
                    LibreOfficeCase{
                        "lo_plain_paragraphs.rtf",
                        "First line of plain text.\nSecond line: caf\xe9 \xe0 la mode.\n\n"
                        "Fourth after an empty one.\n"},
                    LibreOfficeCase{"lo_unicode_colors.rtf",
                                    "Se\xf1or Garc\xed"
                                    "a pays 5\x80 \x97 \x93quoted\x94.\n"
                                    "Bold italic then blue underlined end.\n"},
                    LibreOfficeCase{"lo_from_odt.rtf",
                                    "Se\xf1or Garc\xed"
                                    "a pays 5\x80 \x97 \x93quoted\x94.\n"
                                    "Bold italic then blue underlined end.\n"}));

TEST(LibreOfficeRtfTest, StylesAndColoursComeThrough) {
    const RichText rich = ReadRtf(ReadData("lo_accents_styles.rtf"));
    auto styleOf = [&rich](std::string_view text) {
        for (const TextRun& run : rich) {
            if (run.text.find(text) != std::string::npos) {
                return run.style;
            }
        }
        ADD_FAILURE() << "no run holds " << text;
        return TextStyle{};
    };
    EXPECT_EQ(styleOf("Bold words"), (TextStyle{true, false, false, {}}));
    EXPECT_EQ(styleOf("italic words"), (TextStyle{false, true, false, {}}));
    EXPECT_EQ(styleOf("underlined"), (TextStyle{false, false, true, {}}));
    EXPECT_EQ(styleOf("Red text").color, (TextColor{255, 0, 0}));
    EXPECT_EQ(styleOf("green").color, (TextColor{0, 128, 0}));
    EXPECT_EQ(styleOf("blue").color, (TextColor{0, 0, 255}));
    EXPECT_EQ(styleOf("Bonjour"), TextStyle{});
}

}  // namespace
}  // namespace tw
