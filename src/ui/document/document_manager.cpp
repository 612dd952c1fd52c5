#include "ui/document/document_manager.h"

#include <stdexcept>

#include "ui/document/file_identity.h"

namespace tw {

DocumentManager::DocumentManager(QObject* parent) : QObject(parent) {
    Insert(std::make_unique<EditorDocument>());
    MakeCurrent(0);
}

DocumentManager::~DocumentManager() {
    undoGroup_.disconnect();
}

std::optional<std::size_t> DocumentManager::IndexOf(const EditorDocument& document) const {
    for (std::size_t i = 0; i < documents_.size(); ++i) {
        if (documents_[i].get() == &document) {
            return i;
        }
    }
    return std::nullopt;
}

void DocumentManager::SetCurrent(std::size_t index) {
    if (index >= documents_.size()) {
        throw std::out_of_range("no such document");
    }
    if (index != current_) {
        MakeCurrent(index);
    }
}

void DocumentManager::MakeCurrent(std::size_t index) {
    current_ = index;
    undoGroup_.setActiveStack(&documents_[index]->UndoStack());
    emit currentChanged(*documents_[index]);
}

std::optional<std::size_t> DocumentManager::FindFile(const std::string& path) const {
    for (std::size_t i = 0; i < documents_.size(); ++i) {
        const std::string& open = documents_[i]->Path();
        if (!open.empty() && IsSameFile(open, path)) {
            return i;
        }
    }
    return std::nullopt;
}

bool DocumentManager::IsReplaceableScratch() const {
    const Dialogue& only = documents_.front()->GetDialogue();
    return documents_.size() == 1 && only.IsScratch() && !only.IsModified();
}

void DocumentManager::Insert(std::unique_ptr<EditorDocument> document) {
    EditorDocument& inserted = *document;
    documents_.push_back(std::move(document));
    undoGroup_.addStack(&inserted.UndoStack());
    emit documentAdded(inserted);
}

std::size_t DocumentManager::Add(std::unique_ptr<EditorDocument> document) {
    const bool replace = IsReplaceableScratch();
    Insert(std::move(document));
    if (replace) {
        Close(0);
    }
    MakeCurrent(documents_.size() - 1);
    return current_;
}

void DocumentManager::Close(std::size_t index) {
    emit documentAboutToClose(*documents_[index]);
    undoGroup_.removeStack(&documents_[index]->UndoStack());
    documents_.erase(documents_.begin() + static_cast<std::ptrdiff_t>(index));
}

void DocumentManager::Remove(std::size_t index) {
    if (index >= documents_.size()) {
        return;
    }
    Close(index);
    if (documents_.empty()) {
        Insert(std::make_unique<EditorDocument>());
    }
    MakeCurrent(index > 0 ? index - 1 : 0);
}

void DocumentManager::Clear() {
    while (!documents_.empty()) {
        Close(0);
    }
    Insert(std::make_unique<EditorDocument>());
    MakeCurrent(0);
}

}  // namespace tw
