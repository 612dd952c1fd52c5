#include "model/text/rtf_reader.h"

#include <algorithm>
#include <array>
#include <climits>

#include "base/windows1252.h"

namespace tw {
namespace {

// Deeper groups than this are read as skipped, so hostile nesting costs no memory.
constexpr std::size_t kMaxGroupDepth = 100;
constexpr std::size_t kMaxWordLength = 32;
constexpr int kMaxDigits = 10;

// Destinations whose text is not part of the document's body.
constexpr std::array<std::string_view, 33> kSkippedDestinations{
    "author",     "bkmkend", "bkmkstart",  "comment",   "datastore", "fldinst",   "filetbl",
    "fonttbl",    "footer",  "footerf",    "footerl",   "footerr",   "footnote",  "generator",
    "header",     "headerf", "headerl",    "headerr",   "info",      "listtable", "listtext",
    "nonshppict", "object",  "pict",       "pntext",    "pntxta",    "pntxtb",    "revtbl",
    "rsidtbl",    "shpinst", "stylesheet", "themedata", "xmlnstbl",
};

constexpr std::array<std::string_view, 12> kUnderlineOn{
    "ul",      "uld",     "uldash", "uldashd", "uldashdd", "uldb",
    "ulhwave", "ulldash", "ulth",   "ulthd",   "ulw",      "ulwave",
};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& words, std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// What the characters of a group are.
enum class Destination { kText, kColorTable, kSkipped };

struct GroupState {
    TextStyle style;
    Destination destination = Destination::kText;
    bool hidden = false;
    int unicodeFallback = 1;  // characters after \u that stand in for it
};

struct ControlWord {
    std::string_view name;
    bool hasParameter = false;
    long parameter = 0;
};

// A tolerant RTF reader: a stack of group states over one pass of the input.
class RtfReader {
public:
    explicit RtfReader(std::string_view rtf) : rtf_(rtf) { groups_.push_back(GroupState{}); }

    RichText Run() {
        while (pos_ < rtf_.size()) {
            Step();
        }
        return std::move(text_);
    }

private:
    void Step() {
        const char c = rtf_[pos_++];
        switch (c) {
            case '{':
                OpenGroup();
                break;
            case '}':
                CloseGroup();
                break;
            case '\\':
                Control();
                break;
            case '\r':
            case '\n':
                break;  // line breaks of the source are not text
            default:
                Character(c);
        }
    }

    void OpenGroup() {
        pendingFallback_ = 0;
        if (overflow_ > 0 || groups_.size() >= kMaxGroupDepth) {
            ++overflow_;
            return;
        }
        groups_.push_back(groups_.back());
    }

    void CloseGroup() {
        pendingFallback_ = 0;
        if (overflow_ > 0) {
            --overflow_;
        } else if (groups_.size() > 1) {
            groups_.pop_back();
        }
    }

    GroupState& Top() { return groups_.back(); }

    void Control() {
        if (pos_ >= rtf_.size()) {
            return;
        }
        const char c = rtf_[pos_];
        if (IsLetter(c)) {
            Word(ReadWord());
            return;
        }
        ++pos_;
        ControlSymbol(c);
    }

    void ControlSymbol(char c) {
        switch (c) {
            case '\\':
            case '{':
            case '}':
                Character(c);
                break;
            case '\'':
                HexEscape();
                break;
            case '~':
                Character('\xa0');
                break;
            case '_':
                Character('-');
                break;
            case '*':
                Top().destination = Destination::kSkipped;  // we know no \* destination
                break;
            case '\r':
            case '\n':
                Paragraph();
                break;
            default:
                break;  // \- and other symbols carry no text
        }
    }

    void HexEscape() {
        const int high = pos_ < rtf_.size() ? HexValue(rtf_[pos_]) : -1;
        const int low = pos_ + 1 < rtf_.size() ? HexValue(rtf_[pos_ + 1]) : -1;
        if (high < 0 || low < 0) {
            return;
        }
        pos_ += 2;
        Character(static_cast<char>(high * 16 + low));
    }

    ControlWord ReadWord() {
        const std::size_t start = pos_;
        while (pos_ < rtf_.size() && IsLetter(rtf_[pos_])) {
            ++pos_;
        }
        ControlWord word{rtf_.substr(start, std::min(pos_ - start, kMaxWordLength + 1))};
        ReadParameter(word);
        if (pos_ < rtf_.size() && rtf_[pos_] == ' ') {
            ++pos_;
        }
        return word;
    }

    void ReadParameter(ControlWord& word) {
        const bool negative = pos_ < rtf_.size() && rtf_[pos_] == '-';
        const std::size_t digitsStart = pos_ + (negative ? 1 : 0);
        std::size_t end = digitsStart;
        long value = 0;
        while (end < rtf_.size() && rtf_[end] >= '0' && rtf_[end] <= '9') {
            if (static_cast<int>(end - digitsStart) < kMaxDigits) {
                value = value * 10 + (rtf_[end] - '0');
            }
            ++end;
        }
        if (end == digitsStart) {
            return;  // a lone '-' is text
        }
        pos_ = end;
        word.hasParameter = true;
        word.parameter = negative ? -value : value;
    }

    void Word(const ControlWord& word) {
        if (word.name != "u") {
            pendingFallback_ = 0;
        }
        if (Destinations(word) || Formatting(word)) {
            return;
        }
        if (word.name == "par" || word.name == "line") {
            Paragraph();
        } else if (word.name == "tab") {
            Character('\t');
        } else if (word.name == "u") {
            Unicode(word.parameter);
        } else if (word.name == "uc") {
            Top().unicodeFallback = static_cast<int>(std::clamp(word.parameter, 0L, 10L));
        }
    }

    bool Destinations(const ControlWord& word) {
        if (word.name == "colortbl") {
            Top().destination = Destination::kColorTable;
        } else if (Contains(kSkippedDestinations, word.name)) {
            Top().destination = Destination::kSkipped;
        } else if (Top().destination == Destination::kColorTable) {
            ColorComponent(word);
        } else {
            return false;
        }
        return true;
    }

    void ColorComponent(const ControlWord& word) {
        const auto value = static_cast<std::uint8_t>(std::clamp(word.parameter, 0L, 255L));
        if (word.name == "red") {
            pendingColor_.red = value;
        } else if (word.name == "green") {
            pendingColor_.green = value;
        } else if (word.name == "blue") {
            pendingColor_.blue = value;
        }
    }

    bool Formatting(const ControlWord& word) {
        TextStyle& style = Top().style;
        const bool on = !word.hasParameter || word.parameter != 0;
        if (word.name == "b") {
            style.bold = on;
        } else if (word.name == "i") {
            style.italic = on;
        } else if (Contains(kUnderlineOn, word.name)) {
            style.underline = on;
        } else if (word.name == "ulnone") {
            style.underline = false;
        } else if (word.name == "cf") {
            style.color = ColorAt(word.parameter);
        } else if (word.name == "v") {
            Top().hidden = on;
        } else if (word.name == "plain") {
            style = TextStyle{};
            Top().hidden = false;
        } else {
            return false;
        }
        return true;
    }

    TextColor ColorAt(long index) const {
        if (index <= 0 || static_cast<std::size_t>(index) >= colors_.size()) {
            return TextColor{};
        }
        return colors_[static_cast<std::size_t>(index)];
    }

    void Unicode(long code) {
        if (code < 0) {
            code += 65536;  // RTF writes code points above 32767 as negative 16-bit numbers
        }
        const auto byte =
            code >= 0 ? UnicodeToWindows1252(static_cast<char32_t>(code)) : std::nullopt;
        pendingFallback_ = 0;
        Character(byte ? static_cast<char>(*byte) : '?');
        pendingFallback_ = Top().unicodeFallback;
    }

    void Paragraph() {
        pendingFallback_ = 0;
        Character('\n');
    }

    void Character(char c) {
        if (pendingFallback_ > 0) {
            --pendingFallback_;
            return;
        }
        GroupState& group = Top();
        if (overflow_ > 0 || group.hidden) {
            return;
        }
        if (group.destination == Destination::kText) {
            AppendText(text_, group.style, std::string_view(&c, 1));
        } else if (group.destination == Destination::kColorTable && c == ';') {
            colors_.push_back(pendingColor_);
            pendingColor_ = TextColor{};
        }
    }

    std::string_view rtf_;
    std::size_t pos_ = 0;
    std::vector<GroupState> groups_;
    std::size_t overflow_ = 0;
    std::vector<TextColor> colors_;
    TextColor pendingColor_;
    int pendingFallback_ = 0;
    RichText text_;
};

}  // namespace

RichText ReadRtf(std::string_view rtf) {
    return RtfReader(rtf).Run();
}

}  // namespace tw
