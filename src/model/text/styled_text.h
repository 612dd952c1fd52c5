#pragma once

// Styled text: the NPC comments' markup, 8-bit text with control bytes for the style. A
// switch is kStyleOn or kStyleOff then 'B', 'I' or 'U'; a colour is kStyleColor then R, G, B with
// a component 1 standing for 0 (a zero byte would end the text).

#include <string>
#include <string_view>

#include "model/text/rich_text.h"

namespace tw {

inline constexpr char kStyleOn = '\x02';
inline constexpr char kStyleOff = '\x03';
inline constexpr char kStyleColor = '\x04';

std::string EncodeStyledText(const RichText& rich);
RichText DecodeStyledText(std::string_view markup);

}  // namespace tw
