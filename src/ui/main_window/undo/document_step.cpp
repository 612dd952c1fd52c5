#include "ui/main_window/undo/document_step.h"

#include "model/dialogue.h"

namespace tw {

DialogueNode* DocumentStep::Node(std::int32_t id) {
    return document_.FindNodeById(id);
}

}  // namespace tw
