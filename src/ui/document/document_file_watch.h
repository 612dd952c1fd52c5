#pragma once

// DocumentFileWatch: notices when another program changes or deletes the file of one open
// document. It remembers the file twice: as the document last loaded or saved it (what a Save
// may replace without asking) and as the writer last heard of it (so each change is told
// once). The editor's own saves are recorded as they happen, so they are never told.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <optional>
#include <string>

#include "model/file_fingerprint.h"

namespace tw {

class EditorDocument;
class FileWatchHub;

class DocumentFileWatch : public QObject {
    Q_OBJECT

public:
    explicit DocumentFileWatch(const EditorDocument& document);
    ~DocumentFileWatch() override;

    // The file holds what the document holds: after a load, a reload and each of the
    // editor's own saves (under a new path too, which is watched from now on).
    void RecordFile();
    // The file is not what the document was loaded from or last saved to. A file that is
    // gone has not changed: a save puts it back.
    bool HasChangedOnDisk();

    // While a question about the file is open, what the file does waits for its answer.
    class OpenQuestion {
    public:
        explicit OpenQuestion(DocumentFileWatch& watch);
        ~OpenQuestion();
        OpenQuestion(const OpenQuestion&) = delete;
        OpenQuestion& operator=(const OpenQuestion&) = delete;

    private:
        QPointer<DocumentFileWatch> watch_;
        bool outer_;
    };

signals:
    // Another program wrote the file (or wrote it again after deleting it). Sent once for
    // each change the writer has not heard of; the receiver may ask about it at once.
    void changedOnDisk();
    void removedFromDisk();

private:
    void Watch(const std::string& path);
    void KeepWatching();
    void OnDirectoryChanged();
    void Check();
    void Tell(void (DocumentFileWatch::*signal)());
    void EndQuestion();

    const EditorDocument& document_;
    QPointer<FileWatchHub> hub_;  // from the first file on
    std::string watched_;
    std::optional<FileFingerprint> saved_;
    std::optional<FileFingerprint> heard_;
    QTimer settle_;
    bool asking_ = false;
    bool missed_ = false;  // the file moved while a question was open
};

}  // namespace tw
