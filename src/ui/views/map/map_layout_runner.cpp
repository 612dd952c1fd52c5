#include "ui/views/map/map_layout_runner.h"

namespace tw {

MapLayoutRunner::MapLayoutRunner(Done done, QObject* parent)
    : QObject(parent), done_(std::move(done)) {
    pool_.setMaxThreadCount(1);
}

MapLayoutRunner::~MapLayoutRunner() {
    waiting_.reset();
    pool_.waitForDone();
}

void MapLayoutRunner::Request(std::uint64_t ticket, Graph graph, LayoutOptions options) {
    Job job{ticket, std::move(graph), std::move(options)};
    if (busy_) {
        waiting_ = std::move(job);
        return;
    }
    Start(std::move(job));
}

// The result comes back as an event to this object: when the object is gone first, the
// event goes with it.
void MapLayoutRunner::Start(Job job) {
    busy_ = true;
    pool_.start([this, job = std::move(job)] {
        auto outcome = std::make_shared<LayoutOutcome>(LayoutGraph(*job.graph, job.options));
        QMetaObject::invokeMethod(
            this, [this, job, outcome] { Finish(job, *outcome); }, Qt::QueuedConnection);
    });
}

void MapLayoutRunner::Finish(const Job& job, const LayoutOutcome& outcome) {
    busy_ = false;
    if (waiting_) {
        Job next = std::move(*waiting_);
        waiting_.reset();
        Start(std::move(next));
    }
    done_(job.ticket, job.graph, outcome);
}

}  // namespace tw
