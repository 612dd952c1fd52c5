#pragma once

#include <string>
#include <string_view>

namespace tw {

// The plain text a node text box shows for the node's text after substitution.
std::string PlainNodeText(std::string_view shownText, bool isRich);

// What the tester reads back from its node text box to tell whether the node says
// anything: the first 126 characters of the box's plain text, trimmed.
std::string NodeTextPreview(std::string_view shownText, bool isRich);

}  // namespace tw
