#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "base/input_limits.h"

namespace tw {

// A state file's text, or why it could not be had.
struct StateFileText {
    std::string text;
    // "Unable to open file", or the reason the file was refused; text is then empty.
    std::optional<std::string> error;
    // The file exists but is no state file: larger than the limit, or a device (which may
    // never end) or a pipe.
    bool refused = false;
};

inline constexpr std::string_view kNotRegularStateFileMessage =
    "This is a device or a pipe, not a regular file, so it was not read as a state file.";

// Reads a state file of at most maxBytes bytes; a larger one is refused before it is read.
StateFileText ReadStateFile(const std::filesystem::path& path,
                            std::uint64_t maxBytes = kMaxStateFileBytes);

}  // namespace tw
