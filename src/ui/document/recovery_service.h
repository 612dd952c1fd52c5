#pragma once

// RecoveryService: keeps a recovery copy of every open document that has changes no save
// holds, so that a crash or a kill loses no more than the last interval of work. The first
// change after a copy (or after a save) starts the interval; when it ends the document's
// bytes are made on this thread a few milliseconds at a time between its events (a change
// meanwhile drops them and starts the interval again), and written on a thread of the
// service's own, so neither a large dialogue nor the disk holds up typing. Saving the document,
// closing it and the shut-down (which closes every document) remove its copy; a window that ends
// any other way leaves the copies to the next editor, which lists them and may open them again as
// documents.

#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "model/dialogue_slice_writer.h"
#include "model/recovery/recovery_store.h"

namespace tw {

class DocumentManager;
class EditorDocument;

// One open document's copy: its key in the store and the time since its first change that
// no copy holds yet. A child of the document, so it goes when the document goes.
class DocumentRecovery : public QObject {
    Q_OBJECT

public:
    DocumentRecovery(EditorDocument& document, std::uint64_t key, bool hasCopy);

    std::uint64_t Key() const { return key_; }
    bool HasCopy() const { return hasCopy_; }
    void SetHasCopy(bool hasCopy) { hasCopy_ = hasCopy; }
    QTimer& Timer() { return timer_; }

    // The copy's bytes being made, and the document's generation they were started at.
    std::unique_ptr<DialogueSliceWriter> bytes;
    std::uint64_t bytesGeneration = 0;

private:
    std::uint64_t key_;
    bool hasCopy_;
    QTimer timer_;
};

class RecoveryService : public QObject {
    Q_OBJECT

public:
    // The copies go to directory; an interval of zero writes none (the copies others left
    // are still listed). Every document the manager holds now or adds later is followed.
    RecoveryService(DocumentManager& documents, std::string directory,
                    std::chrono::milliseconds interval, QObject* parent = nullptr);
    // Waits for the copies being written and leaves them: only a close removes a copy.
    ~RecoveryService() override;

    // Why no copies can be kept (the directory can't be made); nothing when they can.
    const std::optional<std::string>& OpenError() const { return store_.OpenError(); }
    // Told once, on this thread, when a copy can't be written.
    void SetFailureReport(std::function<void(const std::string&)> report) {
        report_ = std::move(report);
    }

    // The copies editors that are no longer running left behind.
    RecoveryListing LeftCopies() { return store_.ListLeftCopies(); }
    // Opens the left copy as a new document, modified, under its original path (untitled
    // when it had none), so Save writes where the writer meant to. The copy becomes this
    // editor's own. The message when it can't be read or another editor took it.
    std::optional<std::string> Recover(const RecoveryCopy& copy);
    // Throws a left copy (or a damaged one) away.
    std::optional<std::string> Discard(const std::string& id) { return store_.Remove(id); }

    // Writes the copy of every document that waits for one now (tests, and before a risky
    // step), then waits until every copy is on disk.
    void WriteDueCopies();
    void WaitForWrites() { writer_.waitForDone(); }

private:
    void Follow(EditorDocument& document);
    void OnChanged(EditorDocument& document, DocumentRecovery& recovery);
    // The copy's bytes are made a slice at a time, or all at once when the copy is due now.
    void WriteCopy(EditorDocument& document, DocumentRecovery& recovery, bool allAtOnce = false);
    void MakeBytes(EditorDocument& document, DocumentRecovery& recovery, bool allAtOnce);
    void HandOn(EditorDocument& document, DocumentRecovery& recovery);
    void RemoveCopy(DocumentRecovery& recovery);
    void ReportFailure(const std::string& message);

    QPointer<DocumentManager> documents_;
    RecoveryStore store_;
    std::chrono::milliseconds interval_;
    std::optional<std::uint64_t> adoptedKey_;  // the key of the copy Recover is opening
    std::function<void(const std::string&)> report_;
    bool reported_ = false;
    // One thread, so the writes and removals of a copy happen in the order they were asked.
    QThreadPool writer_;
};

// The recovery directory's place: "recovery" in the user's data directory for the
// application.
std::string DefaultRecoveryDirectory();

}  // namespace tw
