#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/dialogue.h"

namespace tw {

// The open documents of the main window in tab order, and which one is current. There is
// always at least one: when the last goes, an empty scratch document takes its place.
class DocumentSet {
public:
    DocumentSet();

    std::size_t Count() const { return documents_.size(); }
    Dialogue& At(std::size_t index) { return *documents_.at(index); }
    const Dialogue& At(std::size_t index) const { return *documents_.at(index); }
    std::size_t CurrentIndex() const { return current_; }
    Dialogue& Current() { return *documents_[current_]; }
    void SetCurrent(std::size_t index);

    // The open document that is this file on disk, however its path is written.
    std::optional<std::size_t> FindFile(const std::string& path) const;
    // The only open document is an untouched scratch document, which the next document
    // opened or created replaces.
    bool IsReplaceableScratch() const;
    // Appends the document and makes it current, replacing a replaceable scratch document;
    // answers the new document's index.
    std::size_t Add(std::unique_ptr<Dialogue> document);
    // Closes a document; the one before it becomes current, else the one after it.
    void Remove(std::size_t index);
    // Every document goes, as at shut-down; a fresh scratch document remains.
    void Clear();
    // Called with each document just before it is destroyed, whatever removes it.
    void SetRemovalHandler(std::function<void(const Dialogue&)> handler) {
        onRemoval_ = std::move(handler);
    }

private:
    void Removing(const Dialogue& document) const {
        if (onRemoval_) {
            onRemoval_(document);
        }
    }

    std::vector<std::unique_ptr<Dialogue>> documents_;
    std::function<void(const Dialogue&)> onRemoval_;
    std::size_t current_ = 0;
};

}  // namespace tw
