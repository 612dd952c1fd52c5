#include "ui/document/document_step.h"

#include "model/dialogue.h"
#include "ui/document/editor_document.h"

namespace tw {

Dialogue& DocumentStep::Document() {
    return document_.GetDialogue();
}

DialogueNode* DocumentStep::Node(std::int32_t id) {
    return Document().FindNodeById(id);
}

void DocumentStep::ShowNode(std::int32_t id) {
    document_.ReportNodeChanged(id);
    document_.FocusNode(id);
}

void DocumentStep::ShowBranch(std::int32_t nodeId, void (EditorDocument::*report)(DialogueNode&),
                              DialogueNode* changed) {
    if (changed != nullptr) {
        (document_.*report)(*changed);
    } else {
        document_.ReportTreeChanged();
    }
    document_.FocusNode(nodeId);
}

}  // namespace tw
