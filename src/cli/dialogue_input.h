#pragma once

// Reading the dialogue a command is given: a dialogue file of any readable version or its
// JSON form, told apart by content.

#include <cstdint>
#include <optional>
#include <string>

#include "base/input_limits.h"

namespace tw {
class Dialogue;
}

namespace tw::cli {

// Fills a new document from the file at path; the message when it can't be read, and the
// document is then to be discarded.
std::optional<std::string> LoadDialogueOrJson(const std::string& path, Dialogue& dialogue,
                                              std::uint64_t maxBytes = kMaxDialogueFileBytes);

}  // namespace tw::cli
