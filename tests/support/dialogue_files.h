#pragma once

// Small dialogue files on disk and the export each one must give.

#include <filesystem>
#include <string>

#include "model/dialogue.h"
#include "support/temp_dir.h"

namespace tw::test {

// A dialogue file whose NPC has the name, with the comments "c".
inline void WriteDialogue(const std::string& path, const std::string& npcName) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    Dialogue dialogue;
    dialogue.Npc().name = npcName;
    dialogue.SetComments("c");
    WriteBytes(path, dialogue.Write());
}

// The export of a dialogue written by WriteDialogue, as it must be on disk.
inline std::string ExportOf(const std::string& npcName) {
    return "NPC: " + npcName +
           "\r\n\r\n{** NPC Comments **}\r\n{** c **}\r\n{Begin Dialogue}\r\n\r\n\r\n\r\n\r\n";
}

}  // namespace tw::test
