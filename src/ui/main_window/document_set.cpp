#include "ui/main_window/document_set.h"

#include <stdexcept>

#include "ui/main_window/file_identity.h"

namespace tw {

DocumentSet::DocumentSet() {
    documents_.push_back(std::make_unique<Dialogue>());
}

void DocumentSet::SetCurrent(std::size_t index) {
    if (index >= documents_.size()) {
        throw std::out_of_range("no such document");
    }
    current_ = index;
}

std::optional<std::size_t> DocumentSet::FindFile(const std::string& path) const {
    for (std::size_t i = 0; i < documents_.size(); ++i) {
        const std::string& open = documents_[i]->GetPath();
        if (!open.empty() && IsSameFile(open, path)) {
            return i;
        }
    }
    return std::nullopt;
}

bool DocumentSet::IsReplaceableScratch() const {
    return documents_.size() == 1 && documents_.front()->IsScratch() &&
           !documents_.front()->IsModified();
}

std::size_t DocumentSet::Add(std::unique_ptr<Dialogue> document) {
    if (IsReplaceableScratch()) {
        Removing(*documents_.front());
        documents_.clear();
    }
    documents_.push_back(std::move(document));
    current_ = documents_.size() - 1;
    return current_;
}

void DocumentSet::Remove(std::size_t index) {
    if (index >= documents_.size()) {
        return;
    }
    Removing(*documents_[index]);
    documents_.erase(documents_.begin() + static_cast<std::ptrdiff_t>(index));
    if (documents_.empty()) {
        documents_.push_back(std::make_unique<Dialogue>());
    }
    if (index > 0) {
        current_ = index - 1;
    } else {
        current_ = 0;
    }
}

void DocumentSet::Clear() {
    for (const auto& document : documents_) {
        Removing(*document);
    }
    documents_.clear();
    documents_.push_back(std::make_unique<Dialogue>());
    current_ = 0;
}

}  // namespace tw
