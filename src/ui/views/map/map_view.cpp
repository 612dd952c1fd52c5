#include "ui/views/map/map_view.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "graph/graph_neighbourhood.h"
#include "model/tree_walk.h"
#include "ui/document/document_exploration.h"
#include "ui/document/editor_document.h"
#include "ui/views/map/document_map.h"
#include "ui/views/map/map_canvas.h"
#include "ui/views/map/map_items.h"
#include "ui/views/map/map_layout_runner.h"
#include "ui/views/map/map_links.h"
#include "ui/views/map/map_scene.h"

namespace tw {
namespace {

// Characters of a link's label and of a box's first line kept before "...".
constexpr std::size_t kLabelLimit = 24;
constexpr std::size_t kTextLimit = 60;

// Graphviz estimates a label's room from its own narrow letters: a larger font size there
// gives the map's labels the room they take in the map's font.
constexpr double kLayoutFontSize = 12;

GraphOptions MapGraphOptions() {
    GraphOptions options;
    options.labelLimit = kLabelLimit;
    options.textLimit = kTextLimit;
    return options;
}

LayoutOptions MapLayoutOptions() {
    LayoutOptions options;
    options.labelLimit = kLabelLimit;
    options.fontSize = kLayoutFontSize;
    options.measure = [sizes = MeasureMapBoxes()](const GraphNode& node) { return sizes.Of(node); };
    return options;
}

}  // namespace

MapView::MapView(QWidget* parent) : QWidget(parent), facts_(MapGraphOptions()) {
    SetupControls();
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(kRebuildDelayMs);
    connect(timer_, &QTimer::timeout, this, [this] { Rebuild(false); });
    walk_ = new QTimer(this);
    walk_->setSingleShot(true);
    walk_->setInterval(0);
    connect(walk_, &QTimer::timeout, this, [this] { WalkSome(); });
    graphs_ = new MapGraphRunner(
        [this](std::uint64_t ticket, std::shared_ptr<MapGraphRunner::Whole> built) {
            OnBuilt(ticket, std::move(built));
        },
        this);
    runner_ = new MapLayoutRunner(
        [this](std::uint64_t ticket, MapLayoutRunner::Graph graph, const LayoutOutcome& outcome) {
            OnLaidOut(ticket, std::move(graph), outcome);
        },
        this);
}

MapView::~MapView() {
    delete runner_;  // waits for a layout still running, before the scene it would draw in
    runner_ = nullptr;
    delete graphs_;
    graphs_ = nullptr;
}

void MapView::SetupControls() {
    setAccessibleName("Map");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel("De&pth:", this);
    depth_ = new QSpinBox(this);
    depth_->setObjectName("mapDepth");
    depth_->setAccessibleName("Depth");
    depth_->setToolTip("How many links from the selected node a large dialogue's map reaches");
    depth_->setRange(static_cast<int>(kMinNeighbourhoodHops),
                     static_cast<int>(kMaxNeighbourhoodHops));
    depth_->setValue(kDefaultDepth);
    label->setBuddy(depth_);
    status_ = new QLabel(this);
    status_->setObjectName("mapStatus");
    status_->setTextFormat(Qt::PlainText);
    row->addWidget(label);
    row->addWidget(depth_);
    row->addWidget(status_, 1);
    layout->addLayout(row);
    scene_ = new MapScene(this);
    canvas_ = new MapCanvas(*scene_, this);
    canvas_->setObjectName("mapCanvas");
    layout->addWidget(canvas_, 1);
    connect(depth_, &QSpinBox::valueChanged, this, [this] { Recut(); });
    connect(canvas_, &MapCanvas::nodeClicked, this,
            [this](std::size_t node) { SelectIndex(node); });
    connect(canvas_, &MapCanvas::nodeActivated, this, [this](std::size_t node) { Activate(node); });
    connect(canvas_, &MapCanvas::activateRequested, this, [this] {
        if (document_ != nullptr) {
            if (const auto node = ShownIndexOf(document_->CurrentNodeId())) {
                Activate(*node);
            }
        }
    });
    connect(canvas_, &MapCanvas::arrowPressed, this, [this](MapDirection way) { OnArrow(way); });
    connect(canvas_, &MapCanvas::leaveRequested, this, [this] { emit leaveRequested(); });
}

// What belongs to one document goes with it: its drawing, its marks, a layout on its way.
void MapView::SetDocument(EditorDocument* document) {
    if (document_ != nullptr) {
        document_->disconnect(this);
        DocumentExploration::Of(*document_).disconnect(this);
    }
    ++ticket_;
    isLayingOut_ = false;
    StopBuilding();
    LeaveDocument();
    document_ = document;
    if (document_ != nullptr) {
        TakeKept(DocumentMap::Of(*document_));
    }
    shown_ = {};
    layout_ = {};
    shownIndex_.clear();
    layoutError_.reset();
    scene_->Clear();
    testPath_.clear();
    dimmed_.clear();
    needsNewGraph_ = true;
    toRefresh_.clear();
    if (document_ != nullptr) {
        Follow(*document_);
    }
    Schedule(true);
}

// A node whose contents or name changed is read again; so is a branch put back by an undo,
// which brings the rows it had, and every node when the whole tree changed. Anything but an
// edit of nodes' contents needs a new graph of the whole dialogue.
void MapView::Follow(EditorDocument& document) {
    connect(&document, &EditorDocument::branchAdded, this, [this](const DialogueNode& branch) {
        ForEachPreOrder(branch, [this](const DialogueNode& node) { facts_.MarkChanged(node); });
        Schedule(true);
    });
    connect(&document, &EditorDocument::branchRemoved, this, [this] { Schedule(true); });
    connect(&document, &EditorDocument::branchMoved, this, [this] { Schedule(true); });
    connect(&document, &EditorDocument::branchSorted, this, [this] { Schedule(true); });
    connect(&document, &EditorDocument::treeChanged, this, [this] {
        ForgetFacts();
        Schedule(true);
    });
    connect(&document, &EditorDocument::nodeChanged, this, [this](std::int32_t id) {
        MarkChanged(id);
        toRefresh_.insert(id);
        Schedule(false);
    });
    connect(&document, &EditorDocument::labelChanged, this, [this](std::int32_t id) {
        MarkChanged(id);
        Schedule(true);
    });
    connect(&document, &EditorDocument::currentNodeChanged, this,
            [this](std::int32_t id) { OnCurrentNodeChanged(id); });
    // Nodes no road of the last exploration reached are dimmed, as in the tree.
    DocumentExploration& exploration = DocumentExploration::Of(document);
    connect(&exploration, &DocumentExploration::resultChanged, this,
            [this, &exploration] { SetDimmedNodes(exploration.UnreachedNodeIds()); });
    dimmed_ = {};
    for (std::int32_t id : exploration.UnreachedNodeIds()) {
        dimmed_.insert(id);
    }
}

// The facts and graph of the document left stay with it; with no document they are freed
// away from this thread.
void MapView::LeaveDocument() {
    MapMade made{std::exchange(facts_, GraphFactsCache(MapGraphOptions())),
                 {std::exchange(whole_, {}), std::exchange(wholeIndex_, {})}};
    if (document_ != nullptr) {
        DocumentMap::Of(*document_).Keep(std::move(made));
    } else {
        graphs_->Dispose(std::make_shared<MapMade>(std::move(made)));
    }
}

// What the map made of the document before is of use while the document is unchanged; the
// graph is made again all the same, from the facts, as after any switch.
void MapView::TakeKept(DocumentMap& kept) {
    const bool unchanged = kept.IsUnchanged();
    std::shared_ptr<MapMade> made = kept.Take();
    if (made == nullptr) {
        return;
    }
    if (!unchanged) {
        graphs_->Dispose(std::move(made));
        return;
    }
    facts_ = std::move(made->facts);
    whole_ = std::move(made->whole.graph);
    wholeIndex_ = std::move(made->whole.index);
}

// The facts of 100,000 nodes take longer to free than the window's thread may be held.
void MapView::ForgetFacts() {
    graphs_->Dispose(std::make_shared<GraphFactsCache>(
        std::exchange(facts_, GraphFactsCache(MapGraphOptions()))));
}

void MapView::MarkChanged(std::int32_t id) {
    if (const DialogueNode* node = document_->GetDialogue().FindNodeById(id)) {
        facts_.MarkChanged(*node);
    }
}

// A hidden map costs nothing: it is rebuilt when shown.
void MapView::Schedule(bool needsNewGraph) {
    isDirty_ = true;
    needsNewGraph_ = needsNewGraph_ || needsNewGraph;
    if (isVisible()) {
        timer_->start();
    }
}

void MapView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (isDirty_) {
        timer_->start(0);
    }
}

bool MapView::IsSettled() const {
    return !isDirty_ && !isWalking_ && !isBuilding_ && !isLayingOut_ && !timer_->isActive();
}

// Typing refreshes boxes at once. Other changes take a new graph of the whole dialogue: made
// here when asked (SettleNow), else from a snapshot the walk takes in slices.
void MapView::Rebuild(bool here) {
    timer_->stop();
    timer_->setInterval(kRebuildDelayMs);
    isDirty_ = false;
    StopBuilding();
    if (document_ == nullptr) {
        return;
    }
    if (!needsNewGraph_ && RefreshEditedBoxes()) {
        toRefresh_.clear();
        Recut();
        return;
    }
    needsNewGraph_ = true;  // until a new graph is on show
    toRefresh_.clear();
    if (here) {
        MapGraphRunner::Whole built;
        built.graph = BuildDialogueGraph(facts_.Snapshot(document_->GetDialogue()));
        built.index = IndexById(built.graph);
        ShowWhole(built);
        return;
    }
    isWalking_ = true;
    walkGeneration_ = document_->Generation();
    facts_.BeginWalk(document_->GetDialogue());
    WalkSome();
}

// A walk or a build on its way is for a state that is to be replaced.
void MapView::StopBuilding() {
    walk_->stop();
    isWalking_ = false;
    isBuilding_ = false;
    ++buildTicket_;
}

// The generation is read before any node is: a change since the walk began may have freed
// the nodes it has still to visit. The walk then begins again once changes have paused.
void MapView::WalkSome() {
    constexpr std::size_t kNodesPerStep = 64;
    constexpr int kSliceMs = 4;
    if (!isWalking_ || document_ == nullptr) {
        return;
    }
    if (document_->Generation() != walkGeneration_) {
        isWalking_ = false;
        if (!isDirty_) {
            Schedule(true);
        }
        return;
    }
    QElapsedTimer spent;
    spent.start();
    bool whole = false;
    while (!whole && spent.elapsed() < kSliceMs) {
        whole = facts_.ContinueWalk(kNodesPerStep);
    }
    if (!whole) {
        walk_->start();
        return;
    }
    isWalking_ = false;
    isBuilding_ = true;
    buildGeneration_ = walkGeneration_;
    graphs_->Request(++buildTicket_, facts_.TakeSnapshot());
    emit graphRequested();
}

// A graph of a dialogue that has changed since its snapshot is never shown: the change has
// scheduled the build that replaces it.
void MapView::OnBuilt(std::uint64_t ticket, std::shared_ptr<MapGraphRunner::Whole> built) {
    if (ticket == buildTicket_ && isBuilding_) {
        isBuilding_ = false;
        if (document_ != nullptr && document_->Generation() == buildGeneration_) {
            ShowWhole(*built);
        } else if (!isDirty_) {
            Schedule(true);
        }
    }
    graphs_->Dispose(std::move(built));
}

// The graph on show before goes back in built, to be freed away from this thread.
void MapView::ShowWhole(MapGraphRunner::Whole& built) {
    std::swap(whole_, built.graph);
    std::swap(wholeIndex_, built.index);
    needsNewGraph_ = false;
    Recut();
}

// Typing in a node leaves its links as they were: its box alone takes the new text, and the
// graph of a large dialogue is not made again for it.
bool MapView::RefreshEditedBoxes() {
    if (whole_.Nodes().empty()) {
        return false;
    }
    for (const std::int32_t id : toRefresh_) {
        DialogueNode* node = document_->GetDialogue().FindNodeById(id);
        const auto found = wholeIndex_.find(id);
        if (node == nullptr || found == wholeIndex_.end()) {
            return false;
        }
        node->CompileRows();
        if (!RefreshNodeBox(whole_, found->second, *node, MapGraphOptions())) {
            return false;
        }
    }
    return true;
}

void MapView::Recut() {
    if (document_ == nullptr || whole_.Nodes().empty()) {
        return;
    }
    if (!IsNeighbourhood()) {
        center_ = -1;
        ShowCut(whole_);
        return;
    }
    const std::size_t center = WholeIndexOf(document_->CurrentNodeId());
    center_ = whole_.Nodes()[center].id;
    ShowCut(NeighbourhoodOf(whole_, center, static_cast<std::size_t>(depth_->value())));
}

// The same links and labels keep the drawing: only the texts of the boxes change, and a
// layout still on its way is for a state that no longer exists.
void MapView::ShowCut(DialogueGraph cut) {
    if (!shown_.Nodes().empty() && !layoutError_ && SameLinksAndLabels(cut, shown_)) {
        ++ticket_;
        isLayingOut_ = false;
        shown_ = std::move(cut);
        scene_->UpdateTexts(shown_);
        ApplyMarks();
        ShowStatus();
        return;
    }
    auto graph = std::make_shared<const DialogueGraph>(std::move(cut));
    if (layOutHere_) {
        OnLaidOut(++ticket_, graph, LayoutGraph(*graph, MapLayoutOptions()));
        return;
    }
    isLayingOut_ = true;
    runner_->Request(++ticket_, std::move(graph), MapLayoutOptions());
    ShowStatus();
}

void MapView::OnLaidOut(std::uint64_t ticket, std::shared_ptr<const DialogueGraph> graph,
                        const LayoutOutcome& outcome) {
    if (ticket != ticket_) {
        return;
    }
    isLayingOut_ = false;
    shown_ = *graph;
    shownIndex_ = IndexById(shown_);
    layoutError_ = outcome.error;
    layout_ = outcome.error ? GraphLayout{} : outcome.layout;
    if (outcome.error) {
        scene_->Clear();
    } else {
        scene_->Draw(shown_, layout_);
    }
    ApplyMarks();
    ShowCurrent(true);
    ShowStatus();
    emit redrawn();
}

// A layout on its way is done again here, and its own result dropped.
void MapView::SettleNow() {
    layOutHere_ = true;
    if (isDirty_ || timer_->isActive() || isWalking_ || isBuilding_) {
        Rebuild(true);
    } else if (isLayingOut_) {
        Recut();
    }
    layOutHere_ = false;
}

void MapView::ShowStatus() {
    depth_->setEnabled(IsNeighbourhood());
    if (isLayingOut_) {
        status_->setText("Laying out...");
    } else if (layoutError_) {
        status_->setText(QString::fromStdString(*layoutError_));
    } else if (IsNeighbourhood()) {
        status_->setText(
            QString("%1 of %2 nodes").arg(shown_.Nodes().size()).arg(whole_.Nodes().size()));
    } else {
        status_->setText(
            QString("%1 nodes, %2 links").arg(shown_.Nodes().size()).arg(shown_.Edges().size()));
    }
}

}  // namespace tw
