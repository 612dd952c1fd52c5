#pragma once

#include <string_view>

#include "model/text/rich_text.h"

namespace tw {

// Reads WriteRtf's output back exactly, and the text, the three switches and the colours of
// RTF from other programs; whatever else they hold is dropped. Any bytes are accepted.
RichText ReadRtf(std::string_view rtf);

}  // namespace tw
