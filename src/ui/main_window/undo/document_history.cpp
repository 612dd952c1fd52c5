#include "ui/main_window/undo/document_history.h"

#include "model/dialogue.h"

namespace tw {

QUndoStack& DocumentHistory::StackOf(Dialogue& document) {
    std::unique_ptr<QUndoStack>& stack = stacks_[&document];
    if (stack == nullptr) {
        stack = std::make_unique<QUndoStack>();
        group_.addStack(stack.get());
        // A document changed before it had a history has no clean point to come back to.
        if (document.IsModified()) {
            stack->resetClean();
        }
        // Every step, undo and redo sets the mark from the stack, never from what it was.
        QUndoStack* held = stack.get();
        const auto follow = [held, &document] { document.SetModified(!held->isClean()); };
        QObject::connect(held, &QUndoStack::indexChanged, follow);
        QObject::connect(held, &QUndoStack::cleanChanged, follow);
    }
    return *stack;
}

DocumentHistory::~DocumentHistory() {
    for (auto& [document, stack] : stacks_) {
        stack->disconnect();
    }
}

void DocumentHistory::Forget(const Dialogue& document) {
    const auto found = stacks_.find(&document);
    if (found != stacks_.end()) {
        found->second->disconnect();
        stacks_.erase(found);
    }
}

void DocumentHistory::MarkSavedIfClean(Dialogue& document) {
    QUndoStack& stack = StackOf(document);
    if (!document.IsModified() && !stack.isClean()) {
        stack.setClean();
    }
}

}  // namespace tw
