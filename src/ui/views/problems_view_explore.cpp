// The findings of the document's last exploration, listed after the check's under their own
// rules, and the summary of how far the exploration went.

#include <QLabel>
#include <QTableView>

#include "ui/document/document_exploration.h"
#include "ui/document/editor_document.h"
#include "ui/views/document_problems.h"
#include "ui/views/problems_model.h"
#include "ui/views/problems_pane.h"
#include "ui/views/problems_view.h"

namespace tw {
namespace {

const ExploreResult* KeptResult(EditorDocument* document) {
    if (document == nullptr) {
        return nullptr;
    }
    const std::optional<ExploreResult>& result = DocumentExploration::Of(*document).Result();
    return result ? &*result : nullptr;
}

QString EndText(ExploreEnd end) {
    switch (end) {
        case ExploreEnd::kComplete:
            return "complete";
        case ExploreEnd::kStateBound:
            return "incomplete: the bound of states was met";
        case ExploreEnd::kQuestionBound:
            return "incomplete: a step asked too many questions";
        case ExploreEnd::kCancelled:
            return "cancelled";
    }
    return {};
}

}  // namespace

void ProblemsView::ShowFindings() {
    if (kept_ == nullptr) {
        return;
    }
    std::vector<Finding> explored;
    if (const ExploreResult* result = KeptResult(document_)) {
        for (const ExploreFinding& found : result->findings) {
            explored.push_back(found.finding);
        }
    }
    kept_->Model().ShowCheck(kept_->CheckFindings(), explored);
    Announce();
}

void ProblemsView::Announce() {
    const std::vector<Finding>& shown = pane_->Shown();
    status_->setText("Problems: " + QString::fromStdString(DescribeCounts(CountFindings(shown))) +
                     ExploreSummary());
    kept_->KeepStatus(status_->text());
    emit checked(shown);
}

QString ProblemsView::ExploreSummary() const {
    const ExploreResult* result = KeptResult(document_);
    if (result == nullptr || !result->compileErrors.empty()) {
        return {};
    }
    const ExploreCoverage& covered = result->coverage;
    return QString(". Explored %1 states (%2): %3 of %4 nodes entered, %5 of %6 responses offered")
        .arg(result->states)
        .arg(EndText(result->end))
        .arg(covered.nodesEntered)
        .arg(covered.nodes)
        .arg(covered.responsesOffered)
        .arg(covered.responses);
}

const ExploreFinding* ProblemsView::CurrentExploreFinding() const {
    const ExploreResult* result = KeptResult(document_);
    const QModelIndex current = pane_->List()->currentIndex();
    if (result == nullptr || kept_ == nullptr || !current.isValid()) {
        return nullptr;
    }
    const std::size_t checks = kept_->CheckFindings()->size();
    const auto row = static_cast<std::size_t>(current.row());
    if (row < checks || row - checks >= result->findings.size()) {
        return nullptr;
    }
    return &result->findings[row - checks];
}

}  // namespace tw
