#pragma once

// The undo history of the open documents: one QUndoStack per document, and a QUndoGroup
// whose active stack is the current document's, for the Edit menu's Undo and Redo.

#include <QUndoGroup>
#include <QUndoStack>
#include <memory>
#include <unordered_map>

#include "ui/main_window/undo/document_step.h"

namespace tw {

class Dialogue;

// The modified mark of a document follows its stack: a step away from the clean point (the
// last save or load) sets it, coming back to it clears it.
class DocumentHistory {
public:
    explicit DocumentHistory(ViewUpdate update) : update_(std::move(update)) {}
    // A stack that is cleared as it goes signals its index: by then the documents may be
    // gone, so nothing may listen any more.
    ~DocumentHistory();
    DocumentHistory(const DocumentHistory&) = delete;
    DocumentHistory& operator=(const DocumentHistory&) = delete;

    QUndoGroup& Group() { return group_; }
    // The steps report their changes through this.
    const ViewUpdate& Update() const { return update_; }
    // The document's stack, made when first asked for.
    QUndoStack& StackOf(Dialogue& document);
    void SetActive(Dialogue& document) { group_.setActiveStack(&StackOf(document)); }
    // Runs the step and keeps it for undo.
    void Push(Dialogue& document, QUndoCommand* step) { StackOf(document).push(step); }
    // The document is saved (its modified mark is clear): this is the new clean point.
    void MarkSavedIfClean(Dialogue& document);
    // The document is going away; its steps go with it.
    void Forget(const Dialogue& document);

private:
    ViewUpdate update_;
    QUndoGroup group_;
    std::unordered_map<const Dialogue*, std::unique_ptr<QUndoStack>> stacks_;
};

}  // namespace tw
