#include "ui/views/document_problems.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <memory>
#include <utility>

#include "ui/document/document_exploration.h"
#include "ui/document/editor_document.h"
#include "ui/views/free_elsewhere.h"
#include "ui/views/problems_model.h"

namespace tw {

DocumentProblems& DocumentProblems::Of(EditorDocument& document) {
    if (auto* kept = document.findChild<DocumentProblems*>(QString(), Qt::FindDirectChildrenOnly)) {
        return *kept;
    }
    return *new DocumentProblems(document);
}

// The exploration may end while another document is shown; its rows are put in on show.
DocumentProblems::DocumentProblems(EditorDocument& document)
    : QObject(&document), document_(document) {
    model_ = new ProblemsModel(*QApplication::style(), this);
    selection_ = new QItemSelectionModel(model_, model_);
    connect(&DocumentExploration::Of(document), &DocumentExploration::resultChanged, this, [this] {
        exploreChanged_ = true;
        emit exploreResultChanged();
    });
}

// The findings replaced are let go on another thread: at 100,000 nodes freeing tens of
// thousands of messages is milliseconds of the window's thread, in the same turn of the event
// loop as the rows the new ones bring.
void DocumentProblems::KeepCheck(std::shared_ptr<const std::vector<Finding>> findings,
                                 std::uint64_t generation) {
    FreeElsewhere(std::exchange(checkFindings_, std::move(findings)));
    generation_ = generation;
    isChecked_ = true;
}

bool DocumentProblems::IsUpToDate() const {
    return isChecked_ && generation_ == document_.Generation();
}

void DocumentProblems::KeepStatus(const QString& status) {
    status_ = status;
    exploreChanged_ = false;
}

}  // namespace tw
