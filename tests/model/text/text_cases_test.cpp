// Runs the texts of cases/rtf.txt, one JSON string literal a line, through the plain-text
// conversion, the full reader and the writer; see the file's head for the answer's form.

#include <gtest/gtest.h>

#include <cstdio>

#include "model/json_string_bytes.h"
#include "model/json_string_text.h"
#include "model/text/rich_text.h"
#include "model/text/rtf_reader.h"
#include "model/text/rtf_to_text.h"
#include "model/text/rtf_writer.h"
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

TEST(TextCases, RtfReadAndWritten) {
    test::ExpectLineCases(std::string(TW_SOURCE_DIR) + "/tests/model/text/cases/rtf.txt",
                          RtfAnswer);
}

}  // namespace
}  // namespace tw
