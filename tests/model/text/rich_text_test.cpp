#include "model/text/rich_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/dialogue_json_every_byte.h"
#include "model/text/rtf_reader.h"
#include "model/text/rtf_to_text.h"
#include "model/text/rtf_writer.h"

namespace tw {
namespace {

constexpr TextColor kRed{255, 0, 0};
constexpr TextColor kBlue{0, 0, 255};

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

// What the plain-text conversion can give back: printable ASCII, the paragraph mark, the
// tab and the accented letters it knows.
std::string BoxAlphabet() {
    std::string bytes = "\n\t\xe0\xe2\xe4\xe7\xe8\xe9\xea\xeb\xee\xef\xf4\xf6\xf9\xfb\xfc";
    for (char c = ' '; c <= '~'; ++c) {
        bytes += c;
    }
    return bytes;
}

// Any byte reads back; the texts of the box also convert to their plain text.
TEST(RtfWriterTest, ReaderGivesBackEveryWrittenTextAndTheBoxItsPlainText) {
    std::mt19937 random(1234);
    const std::string box = BoxAlphabet();
    for (const std::string& alphabet : {test::EveryByte(), box}) {
        for (int i = 0; i < 3000; ++i) {
            const RichText rich = RandomRichText(random, alphabet);
            const std::string rtf = WriteRtf(rich);
            ASSERT_EQ(ReadRtf(rtf), rich) << rtf;
            if (alphabet == box) {
                ASSERT_EQ(RtfToText(rtf), PlainText(rich)) << rtf;
            }
        }
    }
}

}  // namespace
}  // namespace tw
