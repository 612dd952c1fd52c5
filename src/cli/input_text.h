#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace tw::cli {

struct InputText {
    std::string text;
    std::optional<std::string> error;  // why the input could not be had; text is then empty
    bool refused = false;              // it is there, but too large or no regular file
};

// All of the file at path, or of in when path is "-", when it holds at most maxBytes bytes;
// a larger input is refused as too large for kind ("a state file") as soon as that shows,
// and a FIFO or device as no regular file, unread.
InputText ReadInputText(const std::string& path, std::istream& in, std::uint64_t maxBytes,
                        std::string_view kind);

}  // namespace tw::cli
