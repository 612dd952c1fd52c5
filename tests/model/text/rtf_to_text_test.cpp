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

}  // namespace
}  // namespace tw
