#pragma once

// Reading a dialogue for a command that takes either form of it.

#include <cstdint>
#include <optional>
#include <string>

namespace tw {
class Dialogue;
}

namespace tw::cli {

// Reads the dialogue file or its JSON form at path (told apart by content: JSON starts with
// '{' after any white space) into dialogue; the message to show on failure.
std::optional<std::string> LoadDialogueOrJson(const std::string& path, Dialogue& dialogue,
                                              std::uint64_t maxBytes);

}  // namespace tw::cli
