#include "model/text/rtf_to_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <string_view>
#include <vector>

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
        StripCase{"ColorTableWithOneSemicolon", "x\\colortbl ;\\red1", "x"},
        // Escapes the rich edit control never writes go by the same rules.
        StripCase{"UnicodeEscapeIsAControlWordAndItsFallbackStays", "a\\u233?b", "a?b"},
        StripCase{"EscapeAfterAControlWordIsText", "\\b\\'e9", "'e9"},
        StripCase{"EscapeInsideAGroupIsDropped", "{\\'e9}x", "x"},
        StripCase{"EscapedBraceInsideAGroupClosesIt", "{a\\}b}c", "bc"},
        StripCase{"StarredDestination", "{\\*\\panose 0}t", "t"},
        StripCase{"RtfGroupInsideAGroupClosesTheOuterOne", "{{\\rtf x}y}z", "yz"},
        StripCase{"UnclosedGroupDropsTheRest", "a{b\\par c", "a"},
        StripCase{"ZeroByteInsideAGroup", "{a\0}b"s, ""},
        StripCase{"ZeroByteBeforeTheFontName", "\\fnil\\fcharset0 Ar\0ial;x"s, ""},
        StripCase{"ZeroByteInAnEscape", "x\\'e\0"s, "x!"},
        StripCase{"ZeroByteAfterAControlWord", "\\b\0x"s, ""},
        StripCase{"LongRunEndsAtTheZeroByte", std::string(40, 'x') + '\0' + std::string(40, 'y'),
                  std::string(40, 'x')},
        StripCase{
            "LongRunsAroundControlWords",
            std::string(37, 'a') + "\\i " + std::string(19, 'b') + "\\i0 " + std::string(16, 'c'),
            std::string(37, 'a') + std::string(19, 'b') + std::string(16, 'c')}),
    [](const testing::TestParamInfo<StripCase>& param) { return std::string(param.param.name); });

TEST(RtfToTextLimitTest, OutputIsNeverLongerThanInput) {
    const std::string inputs[] = {"\\'e9", "\\\\", "\\{", "{\\rtf1 abc}", "\\'", "abc"};
    for (const std::string& input : inputs) {
        EXPECT_LE(RtfToText(input).size(), input.size()) << input;
    }
}

// The rules read one character at a time, as plainly as they can be written: the converter
// must give exactly what this gives.
class ReferenceStripper {
public:
    explicit ReferenceStripper(std::string_view rtf) : rtf_(rtf.substr(0, rtf.find('\0'))) {}

    std::string Run() {
        while (pos_ < rtf_.size()) {
            Step(rtf_[pos_]);
        }
        return out_;
    }

private:
    void Step(char c) {
        if (c == '\\') {
            Backslash();
        } else if (c == '{') {
            ++pos_;
            depth_ += rtf_.substr(pos_).starts_with("\\rtf") ? 0 : 1;
        } else if (c == '}') {
            ++pos_;
            depth_ -= depth_ > 0 ? 1 : 0;
        } else {
            if (depth_ == 0) {
                out_ += c;
            }
            ++pos_;
        }
    }

    void Backslash() {
        const char next = At(pos_ + 1);
        if (depth_ > 0) {
            ++pos_;
        } else if (next == '\\' || next == '{' || next == '}') {
            out_ += next;
            pos_ += 2;
        } else if (next == '\'') {
            out_ += Escape(rtf_.substr(std::min(pos_ + 2, rtf_.size()), 2));
            pos_ = std::min(pos_ + 4, rtf_.size());
        } else {
            ControlWord();
        }
    }

    static char Escape(std::string_view pair) {
        static const std::string listed = "e0e2e4e7e8e9eaebeeeff4f6f9fbfc";
        for (std::size_t i = 0; i < listed.size(); i += 2) {
            if (pair == listed.substr(i, 2)) {
                return static_cast<char>(std::stoi(std::string(pair), nullptr, 16));
            }
        }
        return '!';
    }

    void ControlWord() {
        const std::string_view word = rtf_.substr(pos_);
        while (pos_ < rtf_.size() &&
               ((rtf_[pos_] >= 'A' && rtf_[pos_] <= 'z') || rtf_[pos_] == '*')) {
            ++pos_;
        }
        if (std::isdigit(static_cast<unsigned char>(At(pos_))) || At(pos_) == '-') {
            ++pos_;
            while (std::isdigit(static_cast<unsigned char>(At(pos_)))) {
                ++pos_;
            }
        }
        pos_ += At(pos_) == ' ' ? 1 : 0;
        const int tables = word.starts_with("\\fnil\\fcharset0") ? 1
                           : word.starts_with("\\colortbl")      ? 2
                                                                 : 0;
        for (int i = 0; i < tables; ++i) {
            const std::size_t semicolon = rtf_.find(';', pos_);
            pos_ = semicolon == std::string_view::npos ? rtf_.size() : semicolon + 1;
        }
    }

    char At(std::size_t i) const { return i < rtf_.size() ? rtf_[i] : '\0'; }

    std::string_view rtf_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    std::string out_;
};

// Random texts made of the pieces RTF is made of, every control word the converter treats
// specially among them, so that each piece meets every other at every offset of a run.
std::string RandomRtf(std::mt19937& random) {
    using namespace std::string_literals;
    static const std::vector<std::string> pieces = {"{\\rtf1",
                                                    "{",
                                                    "}",
                                                    "\\fnil\\fcharset0 ",
                                                    "\\colortbl ;",
                                                    "\\red0",
                                                    ";",
                                                    "\\'e9",
                                                    "\\'fc",
                                                    "\\'E9",
                                                    "\\'",
                                                    "\\'4",
                                                    "\\u233",
                                                    "\\\\",
                                                    "\\{",
                                                    "\\}",
                                                    "\\par\r\n",
                                                    "\\b ",
                                                    "\\fs-20",
                                                    "\\*",
                                                    "\\",
                                                    " ",
                                                    "\n",
                                                    "\0"s,
                                                    "word ",
                                                    "Caf",
                                                    "$name",
                                                    "[ok]_`^",
                                                    "0123456789",
                                                    "\\li-",
                                                    std::string(17, 'p'),
                                                    std::string(33, 'q'),
                                                    "\xe9\xff"};
    std::string rtf;
    const int count = std::uniform_int_distribution<int>(0, 24)(random);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    for (int i = 0; i < count; ++i) {
        rtf += pieces[pick(random)];
    }
    return rtf;
}

TEST(RtfToTextReference, RandomTextsConvertAsTheRulesSay) {
    std::mt19937 random(16);
    std::string buffer;
    for (int i = 0; i < 20000; ++i) {
        const std::string rtf = RandomRtf(random);
        const std::string expected = ReferenceStripper(rtf).Run();
        ASSERT_EQ(RtfToText(rtf), expected) << testing::PrintToString(rtf);
        // The reused buffer is sometimes longer than the text: only the view counts.
        ASSERT_EQ(RtfToText(rtf, buffer), expected) << testing::PrintToString(rtf);
    }
}

TEST(RtfToTextReference, EveryPairAfterAnApostrophe) {
    std::string buffer;
    for (int first = 1; first < 256; ++first) {
        for (int second = 1; second < 256; ++second) {
            const std::string rtf =
                std::string("a\\'") + static_cast<char>(first) + static_cast<char>(second) + "b";
            ASSERT_EQ(RtfToText(rtf, buffer), ReferenceStripper(rtf).Run())
                << first << " " << second;
        }
    }
}

TEST(RtfToTextReference, TheBufferFormIsIndependentOfWhatTheBufferHeld) {
    std::string buffer(1000, '#');
    EXPECT_EQ(RtfToText("{\\rtf1 ab\\par }", buffer), "ab");
    EXPECT_EQ(RtfToText("", buffer), "");
    const std::string longer(5000, 'z');
    EXPECT_EQ(RtfToText(longer, buffer), longer);
    EXPECT_GE(buffer.size(), longer.size());
}

}  // namespace
}  // namespace tw
