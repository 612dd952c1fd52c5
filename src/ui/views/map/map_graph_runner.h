#pragma once

// Builds the whole dialogue's graph from a snapshot of its nodes away from the window's
// thread, one build at a time, and hands each result back on the window's thread. While one
// build runs, the newest request waits and any before it is dropped.

#include <QObject>
#include <QThreadPool>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

#include "graph/dialogue_graph.h"
#include "graph/graph_snapshot.h"

namespace tw {

class MapGraphRunner : public QObject {
    Q_OBJECT

public:
    // A whole dialogue's graph and where each node id sits among its boxes.
    struct Whole {
        DialogueGraph graph;
        std::unordered_map<std::int32_t, std::size_t> index;
    };
    using Done = std::function<void(std::uint64_t ticket, std::shared_ptr<Whole> whole)>;

    explicit MapGraphRunner(Done done, QObject* parent = nullptr);
    // Waits for a build still running; its result is dropped.
    ~MapGraphRunner() override;

    void Request(std::uint64_t ticket, GraphSnapshot snapshot);
    // Lets go of a graph, or of anything as large, on the runner's thread: freeing one of a
    // large dialogue takes longer than the window's thread may be held.
    void Dispose(std::shared_ptr<void> large);

private:
    struct Job {
        std::uint64_t ticket = 0;
        GraphSnapshot snapshot;
    };
    void Start(Job job);
    void Finish(std::uint64_t ticket, std::shared_ptr<Whole> whole);

    Done done_;
    QThreadPool pool_;
    bool busy_ = false;
    std::optional<Job> waiting_;
};

}  // namespace tw
