#include "model/text/rtf_to_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

struct StripCase {
    const char* name;
    std::string rtf;
    std::string text;
};

class RtfToTextTest : public testing::TestWithParam<StripCase> {};

TEST_P(RtfToTextTest, Converts) {
    EXPECT_EQ(RtfToText(GetParam().rtf), GetParam().text);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Rules, RtfToTextTest,
    testing::Values(
        StripCase{"Empty", "", ""},
        StripCase{"RichEditParagraph",
                  "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20 Hello\\par }",
                  "Hello"},
        StripCase{"KnownEscape", "Caf\\'e9", "Caf\xe9"},
        StripCase{"UpperCaseEscapeIsUnknown", "Caf\\'E9", "Caf!"},
        StripCase{"UnlistedEscapeIsUnknown", "Se\\'f1or", "Se!or"},
        StripCase{"EveryListedEscape",
                  "\\'e0\\'e2\\'e4\\'e7\\'e8\\'e9\\'ea\\'eb\\'ee\\'ef\\'f4\\'f6\\'f9\\'fb\\'fc",
                  "\xe0\xe2\xe4\xe7\xe8\xe9\xea\xeb\xee\xef\xf4\xf6\xf9\xfb\xfc"},
        StripCase{"EscapedBackslash", "a\\\\b", "a\\b"},
        StripCase{"EscapedBraces", "a\\{b\\}c", "a{b}c"},
        StripCase{"GeneratorGroupDropped", "{\\rtf1{\\*\\generator Msftedit 5.41;}Hi}", "Hi"},
        StripCase{"PlainTextUnchanged", "Plain text, stored: 100% (ok)!",
                  "Plain text, stored: 100% (ok)!"},
        StripCase{"UnbalancedCloseDropped", "a}b{c}d", "abd"},
        StripCase{"NestedGroupKeepsNoText", "x{a{b}c}y", "xy"},
        StripCase{"BackslashInGroupSkippedAlone", "{\\b bold}", ""},
        StripCase{"TwoControlWordsInOneRun", "\\b\\i text", "text"},
        StripCase{"NegativeParameter", "\\li-120 x", "x"},
        StripCase{"OnlyOneBlankBelongsToTheWord", "\\b0  two", " two"},
        StripCase{"DigitsEndTheWordWithoutBlank", "\\fs20x", "x"},
        StripCase{"LineBreaksAreText", "\\pard one\\par\r\ntwo\\par\n", "one\r\ntwo\n"},
        StripCase{"FontNameSkipped", "\\fnil\\fcharset0 Arial;Text", "Text"},
        StripCase{"ColorTableSkippedTwice", "\\colortbl ;\\red255\\green0\\blue0;Text", "Text"},
        StripCase{"StopsAtZeroByte", "ab\0cd"s, "ab"},
        // Cut off at the end: nothing is read past the last byte.
        StripCase{"EscapeCutAfterOneDigit", "x\\'e", "x!"},
        StripCase{"EscapeCutAfterApostrophe", "x\\'", "x!"},
        StripCase{"LoneBackslashAtEnd", "x\\", "x"},
        StripCase{"ControlWordCutInDigits", "x\\fs2", "x"},
        StripCase{"FontNameWithoutSemicolon", "x\\fnil\\fcharset0 Arial", "x"},
        StripCase{"ColorTableWithOneSemicolon", "x\\colortbl ;\\red1", "x"}),
    [](const testing::TestParamInfo<StripCase>& param) { return std::string(param.param.name); });

TEST(RtfToTextLimitTest, OutputIsNeverLongerThanInput) {
    const std::string inputs[] = {"\\'e9", "\\\\", "\\{", "{\\rtf1 abc}", "\\'", "abc"};
    for (const std::string& input : inputs) {
        EXPECT_LE(RtfToText(input).size(), input.size()) << input;
    }
}

}  // namespace
}  // namespace tw
