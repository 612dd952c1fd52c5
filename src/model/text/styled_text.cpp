#include "model/text/styled_text.h"

namespace tw {
namespace {

char Component(std::uint8_t value) {
    return static_cast<char>(value == 0 ? 1 : value);
}

std::uint8_t ReadComponent(char byte) {
    const auto value = static_cast<std::uint8_t>(byte);
    return value == 1 ? 0 : value;
}

void WriteSwitch(std::string& out, bool from, bool to, char letter) {
    if (from != to) {
        out += to ? kStyleOn : kStyleOff;
        out += letter;
    }
}

bool IsMarkupByte(char c) {
    return c == '\0' || c == kStyleOn || c == kStyleOff || c == kStyleColor;
}

// Applies 0x02/0x03 with its letter; any other letter changes nothing.
void Switch(TextStyle& style, char letter, bool on) {
    switch (letter) {
        case 'B':
        case 'b':
            style.bold = on;
            break;
        case 'I':
        case 'i':
            style.italic = on;
            break;
        case 'U':
        case 'u':
            style.underline = on;
            break;
        default:
            break;
    }
}

}  // namespace

// Codes go out in the order bold, italic, underline, colour, each only where it changes;
// the text starts plain black. Bytes the markup reserves are left out of the text.
std::string EncodeStyledText(const RichText& rich) {
    std::string out;
    TextStyle previous;
    for (const TextRun& run : rich) {
        WriteSwitch(out, previous.bold, run.style.bold, 'B');
        WriteSwitch(out, previous.italic, run.style.italic, 'I');
        WriteSwitch(out, previous.underline, run.style.underline, 'U');
        if (run.style.color != previous.color) {
            out += kStyleColor;
            out += Component(run.style.color.red);
            out += Component(run.style.color.green);
            out += Component(run.style.color.blue);
        }
        previous = run.style;
        for (char c : run.text) {
            if (!IsMarkupByte(c)) {
                out += c;
            }
        }
    }
    return out;
}

// Reading stops at a zero byte or at a code cut off by the end of the markup.
RichText DecodeStyledText(std::string_view markup) {
    RichText rich;
    TextStyle style;
    std::size_t i = 0;
    while (i < markup.size() && markup[i] != '\0') {
        const char c = markup[i];
        if (c == kStyleOn || c == kStyleOff) {
            if (i + 1 >= markup.size()) {
                break;
            }
            Switch(style, markup[i + 1], c == kStyleOn);
            i += 2;
        } else if (c == kStyleColor) {
            if (i + 3 >= markup.size()) {
                break;
            }
            style.color = TextColor{ReadComponent(markup[i + 1]), ReadComponent(markup[i + 2]),
                                    ReadComponent(markup[i + 3])};
            i += 4;
        } else {
            const std::size_t end = markup.find_first_of(std::string_view("\0\x02\x03\x04", 4), i);
            const std::size_t stop = end == std::string_view::npos ? markup.size() : end;
            AppendText(rich, style, markup.substr(i, stop - i));
            i = stop;
        }
    }
    return rich;
}

}  // namespace tw
