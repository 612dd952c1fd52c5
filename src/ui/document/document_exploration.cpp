#include "ui/document/document_exploration.h"

#include <QMetaObject>

#include "tester/explore/dialogue_explorer.h"
#include "ui/document/editor_document.h"

namespace tw {

DocumentExploration& DocumentExploration::Of(EditorDocument& document) {
    if (auto* kept =
            document.findChild<DocumentExploration*>(QString(), Qt::FindDirectChildrenOnly)) {
        return *kept;
    }
    return *new DocumentExploration(document);
}

DocumentExploration::DocumentExploration(EditorDocument& document)
    : QObject(&document), document_(document) {
    connect(&document, &EditorDocument::changed, this, [this] {
        ++generation_;
        Forget();
    });
}

DocumentExploration::~DocumentExploration() {
    Cancel();
    Join();
}

void DocumentExploration::Cancel() {
    cancel_ = true;
}

void DocumentExploration::Join() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

// The copy is made here, on the window's thread, so the worker never reads the document.
void DocumentExploration::Start(const DialogueNode* start, ExploreOptions options) {
    Cancel();
    Join();
    cancel_ = false;
    finished_ = false;
    ++runs_;  // whatever an earlier run still reports is dropped
    auto job = std::make_shared<ExploreJob>(document_.GetDialogue(), start, std::move(options));
    const std::uint64_t generation = generation_;
    worker_ = std::thread([this, job, run = runs_, generation] {
        ExploreControl control;
        control.cancel = &cancel_;
        control.progress = [this](const ExploreProgress& reached) {
            QMetaObject::invokeMethod(
                this, [this, reached] { emit progress(reached); }, Qt::QueuedConnection);
        };
        ExploreResult result = job->Run(control);
        for (ExploreFinding& finding : result.findings) {
            finding.finding.node = nullptr;  // it points into the job's copy
        }
        QMetaObject::invokeMethod(
            this,
            [this, run, generation, result = std::move(result)]() mutable {
                Finish(run, generation, std::move(result));
            },
            Qt::QueuedConnection);
    });
}

void DocumentExploration::Finish(std::uint64_t run, std::uint64_t generation,
                                 ExploreResult result) {
    if (run != runs_) {
        return;  // a run cancelled by a newer one, already joined
    }
    Join();
    finished_ = true;
    if (generation == generation_) {
        result_ = std::move(result);
        entered_.clear();
        for (const NodeCoverage& node : result_->nodes) {
            if (node.entered) {
                entered_.insert(node.nodeId);
            }
        }
        emit resultChanged();
    }
    emit finished();
}

std::vector<std::int32_t> DocumentExploration::UnreachedNodeIds() const {
    std::vector<std::int32_t> unreached;
    if (HasCoverage()) {
        for (const NodeCoverage& node : result_->nodes) {
            if (!node.entered) {
                unreached.push_back(node.nodeId);
            }
        }
    }
    return unreached;
}

void DocumentExploration::Forget() {
    if (result_.has_value()) {
        result_.reset();
        entered_.clear();
        emit resultChanged();
    }
}

}  // namespace tw
