#pragma once

#include <string>

#include "model/text/rich_text.h"

namespace tw {

// RTF in the form a rich edit control writes for paragraphs in one font. RtfToText of the
// result is the plain text, apart from the bytes it has no escape for.
std::string WriteRtf(const RichText& rich);

}  // namespace tw
