#include "model/text/rtf_to_text.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tw {
namespace {

// What a byte means to the stripper's main loop; most bytes are kPlain.
enum ByteKind : unsigned char { kPlain, kBackslash, kOpen, kClose, kZero };

constexpr std::array<ByteKind, 256> MakeByteKinds() {
    std::array<ByteKind, 256> kinds{};
    kinds[static_cast<unsigned char>('\\')] = kBackslash;
    kinds[static_cast<unsigned char>('{')] = kOpen;
    kinds[static_cast<unsigned char>('}')] = kClose;
    kinds[0] = kZero;
    return kinds;
}

constexpr std::array<ByteKind, 256> kByteKinds = MakeByteKinds();

// The escapes that survive the conversion, by their second digit, for a first digit of e
// and f; 0 marks a pair that reads as '!'.
constexpr std::array<char, 256> MakeEscapes(char first, std::string_view seconds) {
    std::array<char, 256> bytes{};
    for (char second : seconds) {
        const int digit = second <= '9' ? second - '0' : second - 'a' + 10;
        bytes[static_cast<unsigned char>(second)] =
            static_cast<char>((first == 'e' ? 0xE0 : 0xF0) | digit);
    }
    return bytes;
}

constexpr std::array<char, 256> kEscapesE = MakeEscapes('e', "024789abef");
constexpr std::array<char, 256> kEscapesF = MakeEscapes('f', "469bc");

char HexEscapeByte(char first, char second) {
    const auto index = static_cast<unsigned char>(second);
    const char byte = first == 'e' ? kEscapesE[index] : first == 'f' ? kEscapesF[index] : '\0';
    return byte != '\0' ? byte : '!';
}

ByteKind KindOf(char c) {
    return kByteKinds[static_cast<unsigned char>(c)];
}

// The range 'A'..'z' also holds '[', '\', ']', '^', '_' and '`', so a control word
// directly followed by another is skipped in the same run.
bool IsControlWordChar(char c) {
    return (c >= 'A' && c <= 'z') || c == '*';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The first backslash, brace or zero byte from at on, or end. Node texts are mostly runs of
// words between control words, so this scan is the stripper's inner loop; where the
// processor has them, sixteen bytes are compared at a time.
const char* FindSpecial(const char* at, const char* end) {
#if defined(__SSE2__)
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i open = _mm_set1_epi8('{');
    const __m128i close = _mm_set1_epi8('}');
    const __m128i zero = _mm_setzero_si128();
    while (end - at >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i hits = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, backslash), _mm_cmpeq_epi8(bytes, open)),
            _mm_or_si128(_mm_cmpeq_epi8(bytes, close), _mm_cmpeq_epi8(bytes, zero)));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0) {
            return at + __builtin_ctz(static_cast<unsigned>(mask));
        }
        at += 16;
    }
#endif
    while (at != end && KindOf(*at) == kPlain) {
        ++at;
    }
    return at;
}

// Reads the RTF left to right in one pass, writing the plain text straight into the
// caller's buffer. The text ends at its first zero byte: every scan stops there, so no
// separate search for it is made.
class RtfStripper {
public:
    RtfStripper(std::string_view rtf, char* out)
        : at_(rtf.data()), end_(rtf.data() + rtf.size()), out_(out), begin_(out) {}

    std::size_t Run() {
        while (!AtEnd()) {
            if (depth_ == 0) {
                CopyPlainRun();
            } else {
                SkipGroupRun();
            }
            if (!AtEnd()) {
                Step();
            }
        }
        return static_cast<std::size_t>(out_ - begin_);
    }

private:
    void Step() {
        switch (KindOf(*at_)) {
            case kBackslash:
                Backslash();
                break;
            case kOpen:
                ++at_;
                if (!StartsWith(at_, "\\rtf")) {
                    ++depth_;  // the outermost \rtf group is transparent
                }
                break;
            case kClose:
                ++at_;
                depth_ -= depth_ > 0 ? 1 : 0;
                break;
            default:
                at_ = end_;  // the zero byte ends the text
                break;
        }
    }

    // Text up to the next brace, backslash or zero byte, kept whole at the top level.
    void CopyPlainRun() {
        const char* run = at_;
        at_ = FindSpecial(run, end_);
        const auto length = static_cast<std::size_t>(at_ - run);
        std::memcpy(out_, run, length);
        out_ += length;
    }

    // Inside a nested group a backslash is skipped alone and the rest of a control word is
    // ordinary text, so only braces and the zero byte matter.
    void SkipGroupRun() {
        const char* at = FindSpecial(at_, end_);
        while (at != end_ && *at == '\\') {
            at = FindSpecial(at + 1, end_);
        }
        at_ = at;
    }

    void Backslash() {
        const char next = Peek(1);
        if (next == '\\' || next == '{' || next == '}') {
            *out_++ = next;
            at_ += 2;
        } else if (next == '\'') {
            HexEscape();
        } else {
            SkipControlWord();
        }
    }

    // An escape cut off by the end of the text reads as an unknown one and ends it.
    void HexEscape() {
        const char first = Peek(2);
        const char second = first != '\0' ? Peek(3) : '\0';
        if (second == '\0') {
            *out_++ = '!';
            at_ = end_;
            return;
        }
        *out_++ = HexEscapeByte(first, second);
        at_ += 4;
    }

    void SkipControlWord() {
        const char* const word = at_;
        const char* at = word;
        while (at != end_ && IsControlWordChar(*at)) {
            ++at;
        }
        if (at != end_ && (IsDigit(*at) || *at == '-')) {
            ++at;
            while (at != end_ && IsDigit(*at)) {
                ++at;
            }
        }
        if (at != end_ && *at == ' ') {
            ++at;
        }
        at_ = at;
        SkipTableEntries(word);
    }

    // The font name after \fnil\fcharset0 and the first colour after \colortbl are text
    // the control does not show.
    void SkipTableEntries(const char* word) {
        if (StartsWith(word, "\\fnil\\fcharset0")) {
            SkipPastSemicolon();
        } else if (StartsWith(word, "\\colortbl")) {
            SkipPastSemicolon();
            SkipPastSemicolon();
        }
    }

    void SkipPastSemicolon() {
        const char* at = at_;
        while (at != end_ && *at != ';' && *at != '\0') {
            ++at;
        }
        at_ = at != end_ && *at == ';' ? at + 1 : at;
    }

    // The prefix holds no zero byte, so a match never reaches past the text's end.
    bool StartsWith(const char* from, std::string_view prefix) const {
        return static_cast<std::size_t>(end_ - from) >= prefix.size() &&
               std::memcmp(from, prefix.data(), prefix.size()) == 0;
    }

    // The byte offset places ahead, or '\0' past the end.
    char Peek(std::ptrdiff_t offset) const { return end_ - at_ > offset ? at_[offset] : '\0'; }
    bool AtEnd() const { return at_ == end_; }

    const char* at_;
    const char* end_;
    char* out_;
    char* const begin_;
    int depth_ = 0;
};

}  // namespace

std::size_t RtfToText(std::string_view rtf, char* out) {
    return RtfStripper(rtf, out).Run();
}

std::string_view RtfToText(std::string_view rtf, std::string& buffer) {
    if (buffer.size() < rtf.size()) {
        buffer.resize(rtf.size());
    }
    return {buffer.data(), RtfToText(rtf, buffer.data())};
}

std::string RtfToText(std::string_view rtf) {
    std::string text(rtf.size(), '\0');
    text.resize(RtfToText(rtf, text.data()));
    return text;
}

}  // namespace tw
