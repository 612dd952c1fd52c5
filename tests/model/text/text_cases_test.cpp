// Runs the texts of cases/rtf.txt, one JSON string literal a line, through the plain-text
// conversion, the full reader and the writer, and those of cases/shown.txt through the
// label's cut; see each file's head for the form of its lines. Beside them the texts too
// large or too many to list: a huge label, deep nesting and every escaped pair of bytes.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "model/json_string_bytes.h"
#include "model/json_string_text.h"
#include "model/text/rich_text.h"
#include "model/text/rtf_reader.h"
#include "model/text/rtf_to_text.h"
#include "model/text/rtf_writer.h"
#include "model/text/shown_text.h"
#include "support/line_cases.h"

namespace tw {
namespace {

std::string Quoted(std::string_view bytes) {
    std::string out;
    AppendJsonString(out, bytes);
    return out;
}

std::string Describe(const RichText& rich) {
    std::string out;
    for (const TextRun& run : rich) {
        const TextStyle& s = run.style;
        char color[8];
        std::snprintf(color, sizeof color, "%02x%02x%02x", s.color.red, s.color.green,
                      s.color.blue);
        out += std::string(" ") + (s.bold ? "b" : "") + (s.italic ? "i" : "") +
               (s.underline ? "u" : "") + "#" + color + Quoted(run.text);
    }
    return out;
}

std::string RtfAnswer(const std::string& line) {
    const std::optional<std::string> rtf = JsonStringBytes(line.substr(1, line.size() - 2));
    if (!rtf) {
        return "bad case";
    }
    const std::string text = RtfToText(*rtf);
    EXPECT_LE(text.size(), rtf->size());
    std::string buffer(1000, '#');  // what the reused buffer held before does not count
    EXPECT_EQ(RtfToText(*rtf, buffer), text);
    const RichText rich = ReadRtf(*rtf);
    const std::string written = WriteRtf(rich);
    EXPECT_EQ(ReadRtf(written), rich);
    return "text: " + Quoted(text) + "\nrich:" + Describe(rich) + "\nrtf: " + Quoted(written) +
           "\nback: " + Quoted(RtfToText(written)) + "\n";
}

std::string ShownAnswer(const std::string& line) {
    const std::size_t quote = line.find('"');
    const ShownTextLimit limit{static_cast<std::size_t>(std::stoul(line)),
                               line.find(" line ") != std::string::npos};
    const std::optional<std::string> text =
        JsonStringBytes(line.substr(quote + 1, line.size() - quote - 2));
    return text ? Quoted(ShownText(*text, limit)) : "bad case";
}

TEST(TextCases, ShownTexts) {
    test::ExpectLineCases(std::string(TW_SOURCE_DIR) + "/tests/model/text/cases/shown.txt",
                          ShownAnswer);
}

// A name of megabytes, as another tool may write, comes out at the limit.
TEST(TextCases, AHugeLabelIsCutToTheLimit) {
    const std::string huge(16 * 1024 * 1024, 'N');
    EXPECT_EQ(ShownText(huge, kLabelLimit), std::string(kLabelLimit.characters, 'N') + "\x85");
    EXPECT_EQ(ShownText(huge, kTipLimit).size(), kTipLimit.characters + 1);
}

// Whole documents as LibreOffice writes them, in data/: every run in a group of its own, so
// the plain-text conversion keeps only the paragraph marks' line breaks.
TEST(TextCases, LibreOfficeDocuments) {
    const std::string dir = std::string(TW_SOURCE_DIR) + "/tests/model/text/data/";
    for (const char* name :
         {"lo_accents_styles", "lo_plain_paragraphs", "lo_unicode_colors", "lo_from_odt"}) {
        const std::string rtf = test::ReadBytes(dir + name + ".rtf");
        EXPECT_EQ(RtfToText(rtf).find_first_not_of("\r\n "), std::string::npos) << name;
        test::ExpectMatchesFile("rich:" + Describe(ReadRtf(rtf)) + "\n",
                                dir + name + ".rtf.expected");
    }
}

TEST(TextCases, RtfReadAndWritten) {
    test::ExpectLineCases(std::string(TW_SOURCE_DIR) + "/tests/model/text/cases/rtf.txt",
                          RtfAnswer);
}

TEST(TextCases, DeepRtfNestingIsBoundedAndTextAfterItSurvives) {
    const std::string deep = std::string(100000, '{') + "lost" + std::string(100000, '}');
    EXPECT_EQ(PlainText(ReadRtf("a" + deep + "b")), "ab");
    EXPECT_EQ(PlainText(ReadRtf("{{{x}}}")), "x");
}

// An escape is the two bytes after "\'", whatever they are: only the lower-case forms of the
// listed accented letters become their byte, every other pair an exclamation mark.
TEST(TextCases, EveryPairAfterAnRtfApostrophe) {
    const std::string listed = "e0e2e4e7e8e9eaebeeeff4f6f9fbfc";
    std::string buffer;
    for (int first = 1; first < 256; ++first) {
        for (int second = 1; second < 256; ++second) {
            const std::string pair{static_cast<char>(first), static_cast<char>(second)};
            const std::size_t at = listed.find(pair);
            const char byte = at != std::string::npos && at % 2 == 0
                                  ? static_cast<char>(std::stoi(pair, nullptr, 16))
                                  : '!';
            ASSERT_EQ(RtfToText("a\\'" + pair + "b", buffer), std::string("a") + byte + "b")
                << first << " " << second;
        }
    }
}

}  // namespace
}  // namespace tw
