#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tw {

// Where a "$name" reference stands in a node's plain text.
struct TextVariableSpan {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The first reference at or after `from`: '$' followed by at least one letter, digit or
// '_' (characters outside ASCII end a name). A lone '$' is no reference. The tester
// substitutes these and the dialogue check counts them as reads, so both read them here.
std::optional<TextVariableSpan> NextTextVariable(std::string_view text, std::size_t from);

}  // namespace tw
