// The map pane after an edit, and the drawing of a finished layout. Typing in a node costs the
// window's thread the graph rebuilt and compared and the boxes' texts renewed, with no new layout;
// an edit that adds a link costs a redraw, whose graph and layout the pane makes on other threads
// (measured here as what this thread spends while they are made).

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <algorithm>
#include <ctime>
#include <stdexcept>

#include "bench_corpus.h"
#include "editor/editor_fixture.h"
#include "editor/stall_meter.h"
#include "generator/dialogue_generator.h"
#include "graph/graph_layout.h"
#include "model/command_kinds.h"
#include "ui/document/editor_document.h"
#include "ui/views/map/map_items.h"
#include "ui/views/map/map_scene.h"
#include "ui/views/map/map_view.h"

namespace tw::bench {
namespace {

// A shown map on a generated dialogue, on its busiest node.
class MapOnDocument {
public:
    explicit MapOnDocument(std::int64_t nodes)
        : document_(GenerateDialogue({static_cast<std::int32_t>(nodes), 1})) {
        view_.resize(900, 700);
        view_.SetDocument(&document_);
        view_.show();
        view_.SettleNow();
        node_ = BusiestNodeId(document_.GetDialogue());
        document_.SetCurrentNode(node_);
        view_.SettleNow();
    }

    EditorDocument& Document() { return document_; }
    MapView& View() { return view_; }
    std::int32_t Node() const { return node_; }

private:
    EditorDocument document_;
    MapView view_;
    std::int32_t node_ = 0;
};

void BM_MapAfterTyping(benchmark::State& state) {
    MapOnDocument map(state.range(0));
    QSignalSpy redrawn(&map.View(), &MapView::redrawn);
    int typed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        map.Document().TypeComments(map.Node(), "typed " + std::to_string(++typed));
        state.ResumeTiming();
        map.View().SettleNow();
    }
    if (redrawn.count() != 0) {
        throw std::runtime_error("typing redrew the map");
    }
    state.counters["shown"] = static_cast<double>(map.View().Shown().Nodes().size());
}
BENCHMARK(BM_MapAfterTyping)->Apply(DialogueSizes)->Unit(benchmark::kMillisecond)->Iterations(5);

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void AddLink(MapOnDocument& map) {
    EditorDocument::Commands commands;
    commands.push_back(std::make_unique<CommandGoto>("NoSuchNode"));
    map.Document().AppendCommands(map.Node(), std::move(commands), "Add Command");
}

// The time is the CPU this thread spends from the edit until the new drawing is on show, the
// event loop turning as in the window: the walk's slices, the cut, the drawing. "worst wall
// ms" is the whole wait, the 150 ms the pane gathers changes included.
void BM_MapAfterNewLink(benchmark::State& state) {
    MapOnDocument map(state.range(0));
    QSignalSpy redrawn(&map.View(), &MapView::redrawn);
    double wallMs = 0;
    for (auto _ : state) {
        QElapsedTimer wall;
        wall.start();
        const double before = ThreadCpuSeconds();
        AddLink(map);
        if (!redrawn.wait(60'000)) {
            throw std::runtime_error("a new link did not redraw the map");
        }
        state.SetIterationTime(ThreadCpuSeconds() - before);
        wallMs = std::max(wallMs, static_cast<double>(wall.elapsed()));
        map.Document().UndoStack().undo();
        map.View().SettleNow();
    }
    state.counters["shown"] = static_cast<double>(map.View().Shown().Nodes().size());
    state.counters["worst wall ms"] = wallMs;
}
BENCHMARK(BM_MapAfterNewLink)
    ->Apply(DialogueSizes)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

// The same update as the longest stretch without a turn of the event loop, with no other
// view to share the loop (the window's Problems pane checks after the same edit).
void BM_MapAfterNewLinkStall(benchmark::State& state) {
    MapOnDocument map(state.range(0));
    QSignalSpy redrawn(&map.View(), &MapView::redrawn);
    Stall longest;
    for (auto _ : state) {
        const int before = redrawn.count();
        longest.Keep(LongestStall([&] { AddLink(map); }, [&] { return redrawn.count() > before; }));
        map.Document().UndoStack().undo();
        map.View().SettleNow();
    }
    state.counters["longest wall ms"] = longest.wallMs;
    state.counters["longest CPU ms"] = longest.cpuMs;
}
BENCHMARK(BM_MapAfterNewLinkStall)
    ->Apply(DialogueSizes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// What showing a finished layout costs the window's thread: the largest map drawn whole (300
// nodes, the generator's dialogue of that size) made into the scene's items, and painted.
void BM_MapDrawWhole300(benchmark::State& state) {
    const std::unique_ptr<Dialogue> dialogue = GenerateDialogue({300, 1});
    GraphOptions graphOptions;
    graphOptions.labelLimit = 24;
    graphOptions.textLimit = 60;
    const DialogueGraph graph = CompileDialogueGraph(*dialogue, graphOptions);
    LayoutOptions options;
    options.measure = [sizes = MeasureMapBoxes()](const GraphNode& node) { return sizes.Of(node); };
    const LayoutOutcome outcome = LayoutGraph(graph, options);
    if (outcome.error) {
        throw std::runtime_error(*outcome.error);
    }
    MapScene scene;
    QImage image(900, 700, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        scene.Draw(graph, outcome.layout);
        QPainter painter(&image);
        scene.render(&painter, QRectF(image.rect()), QRectF(0, 0, 900, 700));
    }
    state.counters["nodes"] = static_cast<double>(graph.Nodes().size());
    state.counters["links"] = static_cast<double>(graph.Edges().size());
}
BENCHMARK(BM_MapDrawWhole300)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tw::bench
