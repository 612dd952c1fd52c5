#pragma once

// The inside of a JSON string literal, as it stands in the text, back to the model's
// Windows-1252 bytes, for the fast reader. It takes only what it is sure of: a control
// character, a malformed escape or UTF-8 sequence, or a character Windows-1252 has no
// byte for makes it answer nothing, and the full reader then says what is wrong.

#include <optional>
#include <string>
#include <string_view>

namespace tw {

std::optional<std::string> JsonStringBytes(std::string_view literalInside);

}  // namespace tw
