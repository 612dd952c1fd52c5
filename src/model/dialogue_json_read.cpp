#include "model/dialogue_json.h"
#include "model/dialogue_json_readers.h"

namespace tw {

void ClearForJsonRead(Dialogue& dialogue) {
    DialogueNode& root = dialogue.Root();
    while (!root.Children().empty()) {
        root.DetachChild(root.Children().back().get());
    }
    root.Clear();
    const Dialogue fresh;
    root.SetId(fresh.Root().GetId());
    root.SetName(fresh.Root().GetName());
    root.SetDescription(fresh.Root().GetDescription());
    root.SetTextRich(fresh.Root().IsTextRich());
}

// Most documents are read by the fast reader; whatever it is not sure of goes to the full
// reader from the start, which gives the message, or reads what is unusual but valid.
std::optional<std::string> DialogueFromJson(std::string_view json, Dialogue& dialogue) {
    ClearForJsonRead(dialogue);  // the text replaces the document, as a file read does
    if (ReadDialogueJsonFast(json, dialogue)) {
        dialogue.SetModified(false);
        return std::nullopt;
    }
    ClearForJsonRead(dialogue);
    return ReadDialogueJsonEvents(json, dialogue);
}

std::optional<std::string> DialogueFromJsonText(std::string& json, Dialogue& dialogue) {
    ClearForJsonRead(dialogue);
    const std::size_t size = json.size();
    json.append(kJsonReadPadding, ' ');
    const bool built =
        ReadDialogueJsonFast(std::string_view(json).substr(0, size), dialogue, kJsonReadPadding);
    json.resize(size);
    if (built) {
        dialogue.SetModified(false);
        return std::nullopt;
    }
    ClearForJsonRead(dialogue);
    return ReadDialogueJsonEvents(json, dialogue);
}

}  // namespace tw
