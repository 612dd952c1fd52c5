#pragma once

// An undoable change of the whole dialogue at once (Reload), kept as the file bytes of the
// dialogue before and after: nothing less describes everything another program may change.

#include <string>

#include "ui/document/document_step.h"

namespace tw {

class ReplaceDialogueStep : public DocumentStep {
public:
    ReplaceDialogueStep(EditorDocument& document, const QString& text, std::string before,
                        std::string after);
    void redo() override { Apply(after_); }
    void undo() override { Apply(before_); }

private:
    void Apply(const std::string& bytes);

    std::string before_;
    std::string after_;
};

}  // namespace tw
