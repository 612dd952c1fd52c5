#pragma once

// The two readers behind DialogueFromJson, each callable alone so that they can be held
// against each other.

#include <optional>
#include <string>
#include <string_view>

#include "model/dialogue.h"

namespace tw {

// The fast reader: builds the document when the text is a well-formed dialogue of the
// usual shape, and answers false at the first thing it does not take for certain, leaving
// a part-read document behind (see ClearForJsonRead).
// The parser reads whole blocks, past the end of the text: it is copied into a buffer with
// room after it unless the caller says that many bytes after it may be read.
inline constexpr std::size_t kJsonReadPadding = 64;
bool ReadDialogueJsonFast(std::string_view json, Dialogue& dialogue, std::size_t readableAfter = 0);

// The full reader, from the JSON library's events: every document, every message.
std::optional<std::string> ReadDialogueJsonEvents(std::string_view json, Dialogue& dialogue);

// Puts a part-read document back as a new one holds it, for the other reader.
void ClearForJsonRead(Dialogue& dialogue);

}  // namespace tw
