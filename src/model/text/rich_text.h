#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// A text colour of three 8-bit components; the default is black.
struct TextColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const TextColor&) const = default;
};

// The character format of the node-text box: three switches and a colour.
struct TextStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    TextColor color;
    bool operator==(const TextStyle&) const = default;
};

// A stretch of 8-bit text in one style; '\n' ends a paragraph.
struct TextRun {
    TextStyle style;
    std::string text;
    bool operator==(const TextRun&) const = default;
};

// Styled text as a sequence of runs, no two neighbours in the same style and none empty.
using RichText = std::vector<TextRun>;

// Appends text in a style, joining it to the last run when the style is the same.
void AppendText(RichText& rich, const TextStyle& style, std::string_view text);
std::string PlainText(const RichText& rich);

}  // namespace tw
