#include "model/text/rtf_to_text.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tw {
namespace {

// The escapes that survive the conversion; every other pair reads as '!'.
constexpr std::array<std::pair<std::string_view, char>, 15> kHexEscapes{{
    {"e0", '\xe0'},
    {"e2", '\xe2'},
    {"e4", '\xe4'},
    {"e7", '\xe7'},
    {"e8", '\xe8'},
    {"e9", '\xe9'},
    {"ea", '\xea'},
    {"eb", '\xeb'},
    {"ee", '\xee'},
    {"ef", '\xef'},
    {"f4", '\xf4'},
    {"f6", '\xf6'},
    {"f9", '\xf9'},
    {"fb", '\xfb'},
    {"fc", '\xfc'},
}};

char HexEscapeByte(std::string_view pair) {
    for (const auto& [text, byte] : kHexEscapes) {
        if (pair == text) {
            return byte;
        }
    }
    return '!';
}

// Reads the RTF left to right; every step stays inside the text.
class RtfStripper {
public:
    explicit RtfStripper(std::string_view rtf) : rtf_(rtf) {}

    std::string Run() {
        while (pos_ < rtf_.size()) {
            Step();
        }
        return std::move(out_);
    }

private:
    void Step() {
        const char c = rtf_[pos_];
        if (c == '\\') {
            Backslash();
        } else if (c == '{') {
            ++pos_;
            if (!rtf_.substr(pos_).starts_with("\\rtf")) {
                ++depth_;  // the outermost \rtf group is transparent
            }
        } else if (c == '}') {
            ++pos_;
            if (depth_ > 0) {
                --depth_;
            }
        } else {
            PlainRun();
        }
    }

    // Text up to the next brace or backslash, kept whole at the top level: one append per
    // run instead of one per character.
    void PlainRun() {
        std::size_t end = pos_;
        while (end < rtf_.size() && rtf_[end] != '\\' && rtf_[end] != '{' && rtf_[end] != '}') {
            ++end;
        }
        if (depth_ == 0) {
            out_.append(rtf_.substr(pos_, end - pos_));
        }
        pos_ = end;
    }

    void Backslash() {
        if (depth_ > 0) {
            ++pos_;  // the rest of the control word is ordinary text inside the group
            return;
        }
        const char next = At(pos_ + 1);
        if (next == '\\' || next == '{' || next == '}') {
            out_ += next;
            pos_ += 2;
        } else if (next == '\'') {
            HexEscape();
        } else {
            SkipControlWord();
        }
    }

    // An escape cut off by the end of the text reads as an unknown one.
    void HexEscape() {
        const std::string_view pair = rtf_.substr(pos_ + 2, 2);
        out_ += pair.size() == 2 ? HexEscapeByte(pair) : '!';
        pos_ = std::min(pos_ + 4, rtf_.size());
    }

    void SkipControlWord() {
        const std::string_view word = rtf_.substr(pos_);
        while (pos_ < rtf_.size() && IsControlWordChar(rtf_[pos_])) {
            ++pos_;
        }
        if (IsDigit(At(pos_)) || At(pos_) == '-') {
            ++pos_;
            while (IsDigit(At(pos_))) {
                ++pos_;
            }
        }
        if (At(pos_) == ' ') {
            ++pos_;
        }
        if (word.starts_with("\\fnil\\fcharset0")) {
            SkipPast(';');
        }
        if (word.starts_with("\\colortbl")) {
            SkipPast(';');
            SkipPast(';');
        }
    }

    void SkipPast(char stop) {
        const std::size_t found = rtf_.find(stop, pos_);
        pos_ = found == std::string_view::npos ? rtf_.size() : found + 1;
    }

    // The range 'A'..'z' also holds '[', '\', ']', '^', '_' and '`', so a control word
    // directly followed by another is skipped in the same run.
    static bool IsControlWordChar(char c) { return (c >= 'A' && c <= 'z') || c == '*'; }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    char At(std::size_t i) const { return i < rtf_.size() ? rtf_[i] : '\0'; }

    std::string_view rtf_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    std::string out_;
};

}  // namespace

std::string RtfToText(std::string_view rtf) {
    const std::size_t zero = rtf.find('\0');
    if (zero != std::string_view::npos) {
        rtf = rtf.substr(0, zero);
    }
    return RtfStripper(rtf).Run();
}

}  // namespace tw
