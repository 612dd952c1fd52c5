#include <algorithm>
#include <cstdio>

#include "export/rich_text.h"

namespace tw {
namespace {

// The colour table: index 0 is the automatic colour, which stands for black.
std::vector<TextColor> CollectColors(const RichText& rich) {
    std::vector<TextColor> colors{TextColor{}};
    for (const TextRun& run : rich) {
        if (std::find(colors.begin(), colors.end(), run.style.color) == colors.end()) {
            colors.push_back(run.style.color);
        }
    }
    return colors;
}

std::string ColorTable(const std::vector<TextColor>& colors) {
    std::string table = "{\\colortbl ;";
    for (std::size_t i = 1; i < colors.size(); ++i) {
        char entry[48];
        std::snprintf(entry, sizeof entry, "\\red%d\\green%d\\blue%d;", colors[i].red,
                      colors[i].green, colors[i].blue);
        table += entry;
    }
    return table + "}";
}

std::size_t ColorIndex(const std::vector<TextColor>& colors, const TextColor& color) {
    return static_cast<std::size_t>(std::find(colors.begin(), colors.end(), color) -
                                    colors.begin());
}

// Control words for each switch that differs; a blank ends them so that the text after
// them, whatever it starts with, stays text.
std::string StyleChange(const TextStyle& from, const TextStyle& to,
                        const std::vector<TextColor>& colors) {
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
        words += "\\cf" + std::to_string(ColorIndex(colors, to.color));
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
    const std::vector<TextColor> colors = CollectColors(rich);
    // No line break in the header: between groups it would be text to a reader that keeps
    // the outermost group's characters.
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033"
        "{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}";
    rtf += ColorTable(colors);
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
