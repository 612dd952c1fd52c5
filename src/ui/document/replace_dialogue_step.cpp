#include "ui/document/replace_dialogue_step.h"

#include <utility>

#include "model/dialogue.h"
#include "ui/document/editor_document.h"

namespace tw {

ReplaceDialogueStep::ReplaceDialogueStep(EditorDocument& document, const QString& text,
                                         std::string before, std::string after)
    : DocumentStep(document, text), before_(std::move(before)), after_(std::move(after)) {}

// Both versions are bytes Dialogue::Write made, which always read back. Reading resets the
// modified mark and the selection; the mark stays the undo stack's to set, and the writer
// stays at the node they were on while it is there.
void ReplaceDialogueStep::Apply(const std::string& bytes) {
    Dialogue& dialogue = Document();
    const std::int32_t current = dialogue.GetSelectedNodeId();
    const bool modified = dialogue.IsModified();
    dialogue.Read(bytes);
    dialogue.SetModified(modified);
    Editor().ReportDialogueReplaced();
    Editor().FocusNode(dialogue.FindNodeById(current) != nullptr ? current : kInitializationNodeId);
}

}  // namespace tw
