// The map's marks (the selected node, a test's road, dimmed nodes, problems) and the
// writer's moves on it, which go through the document's current node like every view's.

#include <QScrollBar>

#include "model/dialogue.h"
#include "ui/document/editor_document.h"
#include "ui/views/document_problems.h"
#include "ui/views/map/map_canvas.h"
#include "ui/views/map/map_links.h"
#include "ui/views/map/map_scene.h"
#include "ui/views/map/map_view.h"
#include "ui/views/problems_model.h"

namespace tw {
namespace {

constexpr int kVisibleMargin = 40;

}  // namespace

std::optional<std::size_t> MapView::ShownIndexOf(std::int32_t id) const {
    const auto found = shownIndex_.find(id);
    return found == shownIndex_.end() || layout_.boxes.empty() ? std::nullopt
                                                               : std::optional(found->second);
}

// The initialization node when the id is none of the dialogue's.
std::size_t MapView::WholeIndexOf(std::int32_t id) const {
    const auto found = wholeIndex_.find(id);
    return found == wholeIndex_.end() ? 0 : found->second;
}

QRectF MapView::BoxOfNode(std::int32_t id) const {
    const auto node = ShownIndexOf(id);
    return node ? scene_->BoxRect(*node) : QRectF();
}

void MapView::SetTestPath(std::vector<std::int32_t> nodeIds) {
    testPath_ = std::move(nodeIds);
    scene_->SetPath(MarkPath(shown_, testPath_));
}

void MapView::SetDimmedNodes(std::vector<std::int32_t> nodeIds) {
    dimmed_ = {nodeIds.begin(), nodeIds.end()};
    ApplyMarks();
}

void MapView::ShowProblems() {
    ApplyMarks();
}

// The worst severity of each node comes from the rows the Problems pane keeps for the
// document, which count them as rows come and go: no pass over all the findings here.
void MapView::ApplyMarks() {
    const ProblemsModel* rows =
        document_ != nullptr ? &DocumentProblems::Of(*document_).Model() : nullptr;
    const std::size_t count = shown_.Nodes().size();
    std::vector<bool> dimmed(count, false);
    std::vector<std::optional<Severity>> problems(count);
    for (std::size_t i = 0; i < count; ++i) {
        const GraphNode& node = shown_.Nodes()[i];
        if (node.isGhost) {
            continue;
        }
        dimmed[i] = dimmed_.contains(node.id);
        if (rows != nullptr) {
            problems[i] = rows->WorstOf(node.id);
        }
    }
    scene_->SetDimmed(dimmed);
    scene_->SetProblems(problems);
    scene_->SetPath(MarkPath(shown_, testPath_));
    scene_->SetSelected(document_ ? ShownIndexOf(document_->CurrentNodeId()) : std::nullopt);
}

// The selected box is marked and brought into view; a new drawing is centred on it.
void MapView::ShowCurrent(bool centre) {
    const auto node = document_ ? ShownIndexOf(document_->CurrentNodeId()) : std::nullopt;
    scene_->SetSelected(node);
    if (node && centre) {
        canvas_->centerOn(scene_->BoxRect(*node).center());
    } else if (node) {
        canvas_->ensureVisible(scene_->BoxRect(*node), kVisibleMargin, kVisibleMargin);
    }
}

// A neighbourhood follows the selection; a whole map only marks it.
void MapView::OnCurrentNodeChanged(std::int32_t id) {
    if (isDirty_) {
        return;  // the rebuild shows it
    }
    if (IsNeighbourhood() && id != center_ && wholeIndex_.contains(id)) {
        Recut();
        return;
    }
    ShowCurrent(false);
}

void MapView::SelectIndex(std::size_t node) {
    if (document_ == nullptr || node >= shown_.Nodes().size() || shown_.Nodes()[node].isGhost) {
        return;
    }
    canvas_->setFocus();
    document_->SetCurrentNode(shown_.Nodes()[node].id);
}

void MapView::Activate(std::size_t node) {
    SelectIndex(node);
    if (node < shown_.Nodes().size() && !shown_.Nodes()[node].isGhost) {
        emit nodeActivated(shown_.Nodes()[node].id);
    }
}

// From no selection on show, the first key goes to the start (or the neighbourhood's centre).
void MapView::OnArrow(MapDirection direction) {
    if (document_ == nullptr || layout_.boxes.empty()) {
        return;
    }
    const auto current = ShownIndexOf(document_->CurrentNodeId());
    if (!current) {
        SelectIndex(0);
        return;
    }
    if (const auto next = NextLinkedNode(shown_, layout_, *current, direction)) {
        SelectIndex(*next);
    }
}

}  // namespace tw
