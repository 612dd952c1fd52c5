#include "model/dialogue_records.h"

#include "model/byte_codec.h"
#include "model/dialogue.h"
#include "model/dialogue_file_format.h"

namespace tw {

void WriteDialogueHeader(ByteWriter& out, const Dialogue& dialogue) {
    out.WriteInt32(static_cast<std::int32_t>(kDialogueMagic));
    out.WriteInt32(kCurrentFileVersion);
    out.WriteInt32(dialogue.GetNextNodeId());
    out.WriteInt32(dialogue.Npc().id);
    out.WriteString(dialogue.Npc().name);
    out.WriteInt32(dialogue.Npc().gender);
    out.WriteString(dialogue.GetComments());
}

void WriteNodeRecord(ByteWriter& out, const DialogueNode& node) {
    out.WriteInt32(node.GetId());
    out.WriteString(node.GetName());
    out.WriteString(node.GetText());
    out.WriteByte(kNodeMarker);
    out.WriteString(node.GetComments());
    out.WriteString(node.GetDescription());
    out.WriteBool(node.IsTextRich());
    out.WriteInt32(static_cast<std::int32_t>(node.Responses().size()));
    for (const auto& response : node.Responses()) {
        response->WriteRecord(out);
    }
    out.WriteInt32(static_cast<std::int32_t>(node.Commands().size()));
    for (const auto& command : node.Commands()) {
        command->WriteRecord(out);
    }
}

}  // namespace tw
