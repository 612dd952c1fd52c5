#pragma once

// The JSON form of a dialogue: every field of the document, its 8-bit strings as
// Windows-1252 read into UTF-8 text, the nodes as a flat pre-order list with depths.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/command_kinds.h"
#include "model/dialogue.h"

namespace tw {

inline constexpr std::string_view kJsonFormatName = "talkwright-dialogue";
inline constexpr int kJsonFormatVersion = 1;

// The "kind" of each command, indexed by its type code.
inline constexpr std::array<std::string_view, 9> kCommandKindNames = {
    "manual", "flag", "conditionalAssign", "assign", "yesNo", "end", "goto", "reply", "list"};
static_assert(kCommandKindNames.size() == kCommandTypeCount);

std::string DialogueToJson(const Dialogue& dialogue);
// The same text handed to put in pieces as it is made (a node at a time), so a large
// dialogue's JSON can go to a file without being held whole.
void WriteDialogueJson(const Dialogue& dialogue, const std::function<void(std::string_view)>& put);

// Fills a new document from JSON text. Returns the message naming what is wrong and
// where; the document is then to be discarded.
std::optional<std::string> DialogueFromJson(std::string_view json, Dialogue& dialogue);
// The same from a string that may take a few more bytes at its end for the time it is read
// (its text is as it was afterwards), so that a large text is read where it stands and
// never copied.
std::optional<std::string> DialogueFromJsonText(std::string& json, Dialogue& dialogue);

}  // namespace tw
