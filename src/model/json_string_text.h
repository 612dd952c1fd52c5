#pragma once

// The model's 8-bit strings as JSON string literals: each Windows-1252 byte becomes its
// character in UTF-8, with the escapes the JSON library prints (\" \\ \b \f \n \r \t and
// \u00XX in lower case for the other control characters; everything else as it is).

#include <string>
#include <string_view>

namespace tw {

// Appends the quoted literal of the bytes.
void AppendJsonString(std::string& out, std::string_view windows1252);

}  // namespace tw
