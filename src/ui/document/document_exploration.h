#pragma once

// The last exploration of one document: what a player can meet down every road and which
// nodes no road enters. It runs on a worker thread over a copy of the dialogue; its result
// is kept until the dialogue changes, since its roads and rows name the dialogue as it was.

#include <QObject>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>
#include <unordered_set>
#include <vector>

#include "tester/explore/explore_options.h"
#include "tester/explore/explore_result.h"

namespace tw {

class DialogueNode;
class EditorDocument;

class DocumentExploration : public QObject {
    Q_OBJECT

public:
    // The document's exploration, made on first use and living as long as the document.
    static DocumentExploration& Of(EditorDocument& document);
    ~DocumentExploration() override;

    // Starts exploring from start (nullptr: the initialization node); an exploration still
    // running is cancelled first.
    void Start(const DialogueNode* start, ExploreOptions options);
    void Cancel();
    bool IsRunning() const { return worker_.joinable() && !finished_; }

    // The last result, until the dialogue changes; node pointers of its findings are unset.
    const std::optional<ExploreResult>& Result() const { return result_; }
    // Whether a result is kept and a road reached the node.
    bool HasCoverage() const { return result_.has_value() && result_->compileErrors.empty(); }
    bool WasEntered(std::int32_t nodeId) const { return entered_.count(nodeId) != 0; }
    // The nodes no road of the kept result reached; none without coverage.
    std::vector<std::int32_t> UnreachedNodeIds() const;

signals:
    // On the window's thread, about every few hundred states.
    void progress(const ExploreProgress& progress);
    // The exploration ended: Result() holds what it found, or nothing when the dialogue
    // changed while it ran.
    void finished();
    // The kept result came or went.
    void resultChanged();

private:
    explicit DocumentExploration(EditorDocument& document);
    void Finish(std::uint64_t run, std::uint64_t generation, ExploreResult result);
    void Forget();
    void Join();

    EditorDocument& document_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    bool finished_ = true;
    // Counts the dialogue's changes, so that a result of an earlier state is dropped.
    std::uint64_t generation_ = 0;
    std::uint64_t runs_ = 0;
    std::optional<ExploreResult> result_;
    std::unordered_set<std::int32_t> entered_;
};

}  // namespace tw
