#include "ui/views/map/map_graph_runner.h"

#include "ui/views/map/map_links.h"

namespace tw {

MapGraphRunner::MapGraphRunner(Done done, QObject* parent)
    : QObject(parent), done_(std::move(done)) {
    pool_.setMaxThreadCount(1);
}

MapGraphRunner::~MapGraphRunner() {
    waiting_.reset();
    pool_.waitForDone();
}

void MapGraphRunner::Request(std::uint64_t ticket, GraphSnapshot snapshot) {
    Job job{ticket, std::move(snapshot)};
    if (busy_) {
        waiting_ = std::move(job);
        return;
    }
    Start(std::move(job));
}

void MapGraphRunner::Dispose(std::shared_ptr<void> large) {
    pool_.start([large = std::move(large)]() mutable { large.reset(); });
}

// The snapshot is let go of here too. The result comes back as an event to this object: when
// the object is gone first, the event goes with it.
void MapGraphRunner::Start(Job job) {
    busy_ = true;
    pool_.start([this, ticket = job.ticket, snapshot = std::move(job.snapshot)]() mutable {
        auto whole = std::make_shared<Whole>();
        whole->graph = BuildDialogueGraph(snapshot);
        whole->index = IndexById(whole->graph);
        GraphSnapshot().swap(snapshot);
        QMetaObject::invokeMethod(
            this, [this, ticket, whole]() mutable { Finish(ticket, std::move(whole)); },
            Qt::QueuedConnection);
    });
}

void MapGraphRunner::Finish(std::uint64_t ticket, std::shared_ptr<Whole> whole) {
    busy_ = false;
    if (waiting_) {
        Job next = std::move(*waiting_);
        waiting_.reset();
        Start(std::move(next));
    }
    done_(ticket, std::move(whole));
}

}  // namespace tw
