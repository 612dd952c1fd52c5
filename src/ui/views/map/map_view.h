#pragma once

// The "Map" pane: the flow of the current document's dialogue as a graph beside the tree.
// A dialogue of up to kWholeMapLimit nodes is drawn whole; a larger one as the neighbourhood
// of the selected node, to a depth the writer sets. It follows every change of the document
// and redraws only when links or labels changed. After a change of links, the window's thread
// only walks the tree in slices taking each node's facts (read again for the nodes that
// changed); the graph is built and laid out on other threads.

#include <QPointer>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "graph/dialogue_graph.h"
#include "graph/graph_layout.h"
#include "graph/graph_snapshot.h"
#include "model/check/check_finding.h"
#include "ui/views/map/map_graph_runner.h"
#include "ui/views/map/map_navigation.h"

class QLabel;
class QSpinBox;
class QTimer;

namespace tw {

class DialogueNode;
class DocumentMap;
class EditorDocument;
class MapCanvas;
class MapLayoutRunner;
class MapScene;

class MapView : public QWidget {
    Q_OBJECT

public:
    static constexpr std::size_t kWholeMapLimit = 300;
    static constexpr int kDefaultDepth = 2;
    // Changes are gathered this long before the map is rebuilt.
    static constexpr int kRebuildDelayMs = 150;

    explicit MapView(QWidget* parent = nullptr);
    ~MapView() override;

    void SetDocument(EditorDocument* document);

    // The road of a running test, as the ids of the nodes entered in order; empty when no
    // test runs.
    void SetTestPath(std::vector<std::int32_t> nodeIds);
    // Nodes drawn dimmed besides the unreachable ones (what a coverage run never reached).
    void SetDimmedNodes(std::vector<std::int32_t> nodeIds);
    // The document's Problems rows changed: each node with any carries the icon of the
    // worst. A hidden map is told when it is shown.
    void ShowProblems();

    // Writes what the map shows as SVG, or PNG when path ends in ".png"; the message on
    // failure. Builds and lays out at once when the map is not up to date.
    std::optional<std::string> Export(const std::string& path);

    MapCanvas& Canvas() { return *canvas_; }
    MapScene& Scene() { return *scene_; }
    // What is on show, and the box of a node there (scene units; empty when not shown).
    const DialogueGraph& Shown() const { return shown_; }
    QRectF BoxOfNode(std::int32_t id) const;
    // No change waits to be drawn.
    bool IsSettled() const;
    // Does at once what waits: the rebuild after changes and a layout on its way, here on the
    // calling thread (for Export, and for measuring them).
    void SettleNow();

signals:
    // Double-click or Enter on a node's box.
    void nodeActivated(std::int32_t id);
    void leaveRequested();
    // A new drawing is on show.
    void redrawn();
    // The walk has taken its snapshot, and a new graph of the whole dialogue is on its way.
    void graphRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetupControls();
    void Follow(EditorDocument& document);
    void Schedule(bool needsNewGraph);
    void LeaveDocument();
    void TakeKept(DocumentMap& kept);
    void ForgetFacts();
    void MarkChanged(std::int32_t id);
    void Rebuild(bool here);
    void StopBuilding();
    bool RefreshEditedBoxes();
    void WalkSome();
    void OnBuilt(std::uint64_t ticket, std::shared_ptr<MapGraphRunner::Whole> built);
    void ShowWhole(MapGraphRunner::Whole& built);
    void Recut();
    void ShowCut(DialogueGraph cut);
    void OnLaidOut(std::uint64_t ticket, std::shared_ptr<const DialogueGraph> graph,
                   const LayoutOutcome& outcome);
    void ApplyMarks();
    void ShowCurrent(bool centre);
    void OnCurrentNodeChanged(std::int32_t id);
    void OnArrow(MapDirection direction);
    void SelectIndex(std::size_t node);
    void Activate(std::size_t node);
    std::optional<std::size_t> ShownIndexOf(std::int32_t id) const;
    std::size_t WholeIndexOf(std::int32_t id) const;
    bool IsNeighbourhood() const { return whole_.Nodes().size() > kWholeMapLimit; }
    void ShowStatus();

    QPointer<EditorDocument> document_;
    MapScene* scene_ = nullptr;
    MapCanvas* canvas_ = nullptr;
    QSpinBox* depth_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* timer_ = nullptr;
    MapLayoutRunner* runner_ = nullptr;
    MapGraphRunner* graphs_ = nullptr;
    QTimer* walk_ = nullptr;

    // Each node's facts as last read, and the walk that takes them.
    GraphFactsCache facts_;
    bool isWalking_ = false;
    std::uint64_t walkGeneration_ = 0;
    // A new graph of the whole dialogue on its way, and the document's generation it shows.
    bool isBuilding_ = false;
    std::uint64_t buildTicket_ = 0;
    std::uint64_t buildGeneration_ = 0;

    // The whole dialogue's graph, rebuilt after changes, and the part of it on show.
    DialogueGraph whole_;
    std::unordered_map<std::int32_t, std::size_t> wholeIndex_;
    DialogueGraph shown_;
    GraphLayout layout_;
    std::unordered_map<std::int32_t, std::size_t> shownIndex_;
    std::optional<std::string> layoutError_;
    bool isDirty_ = true;
    bool needsNewGraph_ = true;                   // more than nodes' contents changed
    std::unordered_set<std::int32_t> toRefresh_;  // nodes whose contents changed
    std::int32_t center_ = -1;                    // the node the neighbourhood is cut around
    // Every layout request gets the next ticket; a result with an older one is dropped.
    std::uint64_t ticket_ = 0;
    bool isLayingOut_ = false;
    bool layOutHere_ = false;  // SettleNow lays out on the calling thread

    std::vector<std::int32_t> testPath_;
    std::unordered_set<std::int32_t> dimmed_;
};

}  // namespace tw
