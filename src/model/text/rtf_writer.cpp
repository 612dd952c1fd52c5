#include "model/text/rtf_writer.h"

#include <cstdio>
#include <unordered_map>

namespace tw {
namespace {

std::uint32_t Key(const TextColor& color) {
    return static_cast<std::uint32_t>(color.red << 16 | color.green << 8 | color.blue);
}

// The colour table in order of first use; index 0 is the automatic colour, which stands for
// black.
class ColorTable {
public:
    explicit ColorTable(const RichText& rich) {
        colors_.push_back(TextColor{});
        index_[Key(TextColor{})] = 0;
        for (const TextRun& run : rich) {
            if (index_.emplace(Key(run.style.color), colors_.size()).second) {
                colors_.push_back(run.style.color);
            }
        }
    }

    std::size_t IndexOf(const TextColor& color) const { return index_.at(Key(color)); }

    std::string Rtf() const {
        std::string table = "{\\colortbl ;";
        for (std::size_t i = 1; i < colors_.size(); ++i) {
            char entry[48];
            std::snprintf(entry, sizeof entry, "\\red%d\\green%d\\blue%d;", colors_[i].red,
                          colors_[i].green, colors_[i].blue);
            table += entry;
        }
        return table + "}";
    }

private:
    std::vector<TextColor> colors_;
    std::unordered_map<std::uint32_t, std::size_t> index_;
};

// Control words for each switch that differs; a blank ends them so that the text after
// them, whatever it starts with, stays text.
std::string StyleChange(const TextStyle& from, const TextStyle& to, const ColorTable& colors) {
    std::string words;
    if (from.bold != to.bold) {
        words += to.bold ? "\\b" : "\\b0";
    }
    if (from.italic != to.italic) {
        words += to.italic ? "\\i" : "\\i0";
    }
    if (from.underline != to.underline) {
        words += to.underline ? "\\ul" : "\\ulnone";
    }
    if (from.color != to.color) {
        words += "\\cf" + std::to_string(colors.IndexOf(to.color));
    }
    return words.empty() ? words : words + " ";
}

void AppendEscaped(std::string& rtf, char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '{' || c == '}') {
        rtf += '\\';
        rtf += c;
    } else if (c == '\n') {
        rtf += "\\par\n";
    } else if (byte >= 0x80 || (byte < 0x20 && c != '\t')) {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\'%02x", byte);
        rtf += escape;
    } else {
        rtf += c;
    }
}

}  // namespace

std::string WriteRtf(const RichText& rich) {
    const ColorTable colors(rich);
    // No line break in the header: between groups it would be text to a reader that keeps
    // the outermost group's characters.
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033"
        "{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}";
    rtf += colors.Rtf();
    rtf += "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    TextStyle current;
    for (const TextRun& run : rich) {
        rtf += StyleChange(current, run.style, colors);
        current = run.style;
        for (char c : run.text) {
            AppendEscaped(rtf, c);
        }
    }
    return rtf + "}";
}

}  // namespace tw
