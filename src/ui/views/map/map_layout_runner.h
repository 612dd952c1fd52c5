#pragma once

// Lays out the map's graphs away from the window's thread, one at a time, and hands each
// result back on the window's thread. While one layout runs, the newest request waits and
// any request before it is dropped: only the latest state of a document is worth drawing.

#include <QObject>
#include <QThreadPool>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "graph/dialogue_graph.h"
#include "graph/graph_layout.h"

namespace tw {

class MapLayoutRunner : public QObject {
    Q_OBJECT

public:
    using Graph = std::shared_ptr<const DialogueGraph>;
    // The ticket of the request, the graph laid out and what the layout gave.
    using Done = std::function<void(std::uint64_t ticket, Graph graph, const LayoutOutcome&)>;

    explicit MapLayoutRunner(Done done, QObject* parent = nullptr);
    // Waits for a layout still running; its result is dropped.
    ~MapLayoutRunner() override;

    void Request(std::uint64_t ticket, Graph graph, LayoutOptions options);
    bool IsBusy() const { return busy_; }

private:
    struct Job {
        std::uint64_t ticket = 0;
        Graph graph;
        LayoutOptions options;
    };
    void Start(Job job);
    void Finish(const Job& job, const LayoutOutcome& outcome);

    Done done_;
    QThreadPool pool_;
    bool busy_ = false;
    std::optional<Job> waiting_;
};

}  // namespace tw
