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

struct ReadCase {
    const char* name;
    std::string rtf;
    std::string text;
};

class RtfReaderTextTest : public testing::TestWithParam<ReadCase> {};

TEST_P(RtfReaderTextTest, KeepsTheText) {
    EXPECT_EQ(PlainText(ReadRtf(GetParam().rtf)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RtfReaderTextTest,
    testing::Values(ReadCase{"PlainBytes", "no markup at all", "no markup at all"},
                    ReadCase{"SourceLineBreaksAreNotText", "{\\rtf1 a\r\nb\\par\r\nc}", "ab\nc"},
                    ReadCase{"EscapesInEitherCase", "\\'e9\\'C9\\'zz!", "\xe9\xc9zz!"},
                    ReadCase{"Symbols", "a\\~b\\_c\\-d\\\\\\{\\}",
                             "a\xa0"
                             "b-cd\\{}"},
                    ReadCase{"LineAndTab", "a\\line b\\tab c", "a\nb\tc"},
                    ReadCase{"BackslashNewlineIsAParagraph", "a\\\nb", "a\nb"},
                    ReadCase{"UnicodeWithFallback", "\\uc1 x\\u233\\'e9y\\u8364?z", "x\xe9y\x80z"},
                    ReadCase{"UnicodeOutsideTheCodePage", "\\u1046?\\u-3913?", "??"},
                    ReadCase{"UnicodeFallbackOfTwo", "\\uc2\\u233 xxy", "\xe9y"},
                    ReadCase{"ConsecutiveUnicode", "\\u233\\u232 ab",
                             "\xe9\xe8"
                             "b"},
                    ReadCase{"IgnorableDestination", "a{\\*\\unknown secret}b", "ab"},
                    ReadCase{
                        "SkippedDestinations",
                        "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{Normal;}}{\\info{\\title T}}"
                        "{\\pict 0102}text}",
                        "text"},
                    ReadCase{"FieldResultKept",
                             "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}", "link"},
                    ReadCase{"HiddenText", "a{\\v hidden}b\\v c\\v0 d", "abd"},
                    ReadCase{"NegativeNumberIsAParameter", "\\li-20 x", "x"},
                    ReadCase{"LoneMinusAfterWordIsText", "\\b -x", "-x"},
                    ReadCase{"UnbalancedBraces", "}}a{{b}", "ab"},
                    ReadCase{"CutOffEscape", "x\\'e", "xe"}, ReadCase{"CutOffWord", "x\\pa", "x"},
                    ReadCase{"TrailingBackslash", "x\\", "x"}),
    [](const testing::TestParamInfo<ReadCase>& param) { return std::string(param.param.name); });

TEST(RtfReaderTest, ReadsTheStyleSwitchesAndColours) {
    const RichText rich = ReadRtf(
        "{\\rtf1{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"
        "a\\b b\\i c\\ul d\\cf2 e\\ulnone\\b0\\i0 f\\plain g{\\b h}i\\ul0 j\\ulw k\\cf99 l}");
    const TextColor red{255, 0, 0};
    RichText expected;
    AppendText(expected, {}, "a");
    AppendText(expected, {true, false, false, {}}, "b");
    AppendText(expected, {true, true, false, {}}, "c");
    AppendText(expected, {true, true, true, {}}, "d");
    AppendText(expected, {true, true, true, red}, "e");
    AppendText(expected, {false, false, false, red}, "f");
    AppendText(expected, {}, "g");
    AppendText(expected, {true, false, false, {}}, "h");
    AppendText(expected, {}, "ij");
    AppendText(expected, {false, false, true, {}}, "k");
    AppendText(expected, {false, false, true, {}}, "l");  // unknown colour index: black
    EXPECT_EQ(rich, expected);
}

TEST(RtfReaderTest, DeepNestingIsBoundedAndTextAfterItSurvives) {
    const std::string deep = std::string(100000, '{') + "lost" + std::string(100000, '}');
    EXPECT_EQ(PlainText(ReadRtf("a" + deep + "b")), "ab");
    EXPECT_EQ(PlainText(ReadRtf("{{{x}}}")), "x");
}

TEST(RtfReaderTest, HugeParametersAndWordsDoNotOverflow) {
    EXPECT_EQ(PlainText(ReadRtf("\\u99999999999999999999 x\\" + std::string(5000, 'a') + " y")),
              "?y");
    EXPECT_EQ(PlainText(ReadRtf("{\\colortbl;\\red99999999999;}\\cf1 z")), "z");
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
