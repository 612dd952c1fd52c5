#pragma once

// How much of a writer's text a control is given to show. A name or a text from another
// tool may run to megabytes, and a label, list cell, tab or title lays out all it is given,
// on the window's thread, at every paint and size query; the model keeps the whole text.

#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

struct ShownTextLimit {
    std::size_t characters = 0;
    // A one-line control also stops at the first line end.
    bool oneLine = true;
};

// Enough for every label the editor's own dialogs make (a 255-character name and a
// 255-character description with their brackets), so only text from elsewhere is cut.
inline constexpr ShownTextLimit kLabelLimit{600, true};
// Tooltips and screen readers get more of the text, still a bounded amount.
inline constexpr ShownTextLimit kTipLimit{4000, false};

// "..." as one Windows-1252 character.
inline constexpr char kEllipsisByte = '\x85';

// The bytes (Windows-1252, one character each) as the limit lets them be shown: unchanged
// when they fit, else the part before the cut followed by kEllipsisByte.
std::string ShownText(std::string_view bytes, ShownTextLimit limit);

}  // namespace tw
