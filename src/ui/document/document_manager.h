#pragma once

// The open documents in tab order and which one is current, with the undo group whose
// active stack is the current document's. There is always at least one document: when the
// last goes, an empty scratch document takes its place.

#include <QObject>
#include <QUndoGroup>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/document/editor_document.h"

namespace tw {

class DocumentManager : public QObject {
    Q_OBJECT

public:
    explicit DocumentManager(QObject* parent = nullptr);
    ~DocumentManager() override;

    std::size_t Count() const { return documents_.size(); }
    EditorDocument& At(std::size_t index) { return *documents_.at(index); }
    const EditorDocument& At(std::size_t index) const { return *documents_.at(index); }
    std::size_t CurrentIndex() const { return current_; }
    EditorDocument& Current() { return *documents_[current_]; }
    std::optional<std::size_t> IndexOf(const EditorDocument& document) const;
    void SetCurrent(std::size_t index);
    QUndoGroup& UndoGroup() { return undoGroup_; }

    // The open document that is this file on disk, however its path is written.
    std::optional<std::size_t> FindFile(const std::string& path) const;
    // The only open document is an untouched scratch document, which the next document
    // opened or created replaces.
    bool IsReplaceableScratch() const;
    // Appends the document and makes it current, replacing a replaceable scratch document;
    // answers the new document's index.
    std::size_t Add(std::unique_ptr<EditorDocument> document);
    // Closes a document; the one before it becomes current, else the one after it.
    void Remove(std::size_t index);
    // Every document goes, as at shut-down; a fresh scratch document remains.
    void Clear();

signals:
    void documentAdded(EditorDocument& document);
    // The document is still whole; it is destroyed once the signal returns.
    void documentAboutToClose(EditorDocument& document);
    void currentChanged(EditorDocument& document);

private:
    void Insert(std::unique_ptr<EditorDocument> document);
    void Close(std::size_t index);
    void MakeCurrent(std::size_t index);

    QUndoGroup undoGroup_;
    std::vector<std::unique_ptr<EditorDocument>> documents_;
    std::size_t current_ = 0;
};

}  // namespace tw
