#pragma once

// The plain-text conversation script of a dialogue: a header with the NPC's name and
// comments, then every node in pre-order with its text, commands and responses.

#include <optional>
#include <string>
#include <string_view>

#include "model/dialogue.h"

namespace tw {

// The NPC comments without their style marks: 0x02 and 0x03 go with the style letter after
// them, 0x04 with the three colour bytes; a mark cut off at the end goes with what is there.
std::string RemoveCommentMarks(std::string_view comments);

// Appends the node's block to script, with LF line ends.
void Export(const DialogueNode& node, std::string& script);

// The whole script of the dialogue, with LF line ends.
std::string ExportScript(const Dialogue& dialogue);

// Writes the script to path with CR LF line ends, replacing any file there only once the
// whole script is on disk. Returns the message to show on failure.
std::optional<std::string> Export(const Dialogue& dialogue, const std::string& path);

}  // namespace tw
