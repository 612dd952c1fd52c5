#include "model/text/rich_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/text/rtf_reader.h"
#include "model/text/rtf_to_text.h"
#include "model/text/rtf_writer.h"

namespace tw {
namespace {

constexpr TextColor kRed{255, 0, 0};
constexpr TextColor kBlue{0, 0, 255};

TextStyle Bold() {
    TextStyle style;
    style.bold = true;
    return style;
}

TEST(RichTextTest, AppendTextJoinsEqualStylesAndSkipsEmptyText) {
    RichText rich;
    AppendText(rich, TextStyle{}, "ab");
    AppendText(rich, TextStyle{}, "c");
    AppendText(rich, Bold(), "");
    AppendText(rich, Bold(), "d");
    ASSERT_EQ(rich.size(), 2u);
    EXPECT_EQ(rich[0].text, "abc");
    EXPECT_EQ(rich[1], (TextRun{Bold(), "d"}));
    EXPECT_EQ(PlainText(rich), "abcd");
}

TEST(RtfWriterTest, WritesTheRichEditForm) {
    RichText rich;
    AppendText(rich, TextStyle{}, "Caf\xe9 {x}\\\n");
    TextStyle red = Bold();
    red.color = kRed;
    AppendText(rich, red, "Go");
    TextStyle underlined;
    underlined.italic = true;
    underlined.underline = true;
    AppendText(rich, underlined, " on");
    EXPECT_EQ(WriteRtf(rich),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 "
              "Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}\\viewkind4\\uc1\\pard\\f0\\fs20 "
              "Caf\\'e9 \\{x\\}\\\\\\par\n"
              "\\b\\cf1 Go\\b0\\i\\ul\\cf0  on}");
}

TEST(RtfWriterTest, EmptyTextStillHasBothTables) {
    const std::string rtf = WriteRtf({});
    EXPECT_NE(rtf.find("{\\fonttbl"), std::string::npos);
    EXPECT_NE(rtf.find("{\\colortbl ;}"), std::string::npos);
    EXPECT_EQ(RtfToText(rtf), "");
    EXPECT_TRUE(ReadRtf(rtf).empty());
}

TEST(RtfWriterTest, HighBytesAreLowerCaseEscapesAndControlsAreEscaped) {
    RichText rich;
    AppendText(rich, TextStyle{}, "\xc9\xff\x01\r\t");
    const std::string rtf = WriteRtf(rich);
    EXPECT_NE(rtf.find("\\'c9\\'ff\\'01\\'0d\t}"), std::string::npos) << rtf;
}

// Texts of the box: any byte, in runs of random styles.
RichText RandomRichText(std::mt19937& random, const std::string& alphabet) {
    const TextColor palette[] = {TextColor{}, kRed, kBlue, TextColor{0, 255, 0}, {1, 2, 3}};
    std::uniform_int_distribution<int> runCount(0, 6), runLength(0, 12), bit(0, 1), color(0, 4),
        byte(0, static_cast<int>(alphabet.size()) - 1);
    RichText rich;
    for (int run = runCount(random); run > 0; --run) {
        TextStyle style{bit(random) == 1, bit(random) == 1, bit(random) == 1,
                        palette[color(random)]};
        std::string text;
        for (int n = runLength(random); n > 0; --n) {
            text += alphabet[static_cast<std::size_t>(byte(random))];
        }
        AppendText(rich, style, text);
    }
    return rich;
}

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

// What the plain-text conversion can give back: printable ASCII, the paragraph mark, the
// tab and the accented letters it knows.
std::string BoxAlphabet() {
    std::string bytes = "\n\t\xe0\xe2\xe4\xe7\xe8\xe9\xea\xeb\xee\xef\xf4\xf6\xf9\xfb\xfc";
    for (char c = ' '; c <= '~'; ++c) {
        bytes += c;
    }
    return bytes;
}

TEST(RtfWriterTest, ReaderGivesBackEveryWrittenText) {
    std::mt19937 random(1234);
    const std::string alphabet = AllBytes();
    for (int i = 0; i < 3000; ++i) {
        const RichText rich = RandomRichText(random, alphabet);
        const std::string rtf = WriteRtf(rich);
        ASSERT_EQ(ReadRtf(rtf), rich) << rtf;
    }
}

TEST(RtfWriterTest, PlainTextConversionGivesTheBoxText) {
    std::mt19937 random(99);
    const std::string alphabet = BoxAlphabet();
    for (int i = 0; i < 3000; ++i) {
        const RichText rich = RandomRichText(random, alphabet);
        const std::string rtf = WriteRtf(rich);
        ASSERT_EQ(RtfToText(rtf), PlainText(rich)) << rtf;
    }
}

TEST(RtfWriterTest, BytesWithoutAPlainTextEscapeBecomeExclamationMarks) {
    RichText rich;
    AppendText(rich, Bold(), "Se\xf1or \xc9t\xe9");
    EXPECT_EQ(RtfToText(WriteRtf(rich)), "Se!or !t\xe9");
}

}  // namespace
}  // namespace tw
