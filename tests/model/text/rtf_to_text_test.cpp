#include "model/text/rtf_to_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

// The rules on single texts are cases in cases/rtf.txt. An escape is the two bytes after
// "\'", whatever they are: only the lower-case forms of the listed accented letters become
// their byte, every other pair an exclamation mark.
TEST(RtfToText, EveryPairAfterAnApostrophe) {
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
