#include "ui/views/problems_view.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "model/check/dialogue_check.h"
#include "tester/provided_names.h"
#include "ui/document/editor_document.h"
#include "ui/views/problems_pane.h"

namespace tw {

ProblemsView::ProblemsView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 6, 0, 0);
    pane_ = new ProblemsPane(this);
    pane_->SetActivateHandler([this](std::int32_t nodeId, ItemKind item, std::size_t index) {
        emit findingChosen(nodeId, item, index);
    });
    pane_->SetLeaveHandler([this] { emit leaveRequested(); });
    status_ = new QLabel(this);
    status_->setObjectName("statusText");
    status_->setAccessibleName("Status");
    layout->addWidget(pane_, 1);
    layout->addWidget(status_);
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(kCheckDelayMs);
    connect(timer_, &QTimer::timeout, this, [this] { Check(); });
}

QTreeWidget* ProblemsView::List() const {
    return pane_->List();
}

// The pane follows the document on show.
void ProblemsView::SetDocument(EditorDocument* document) {
    if (document_ != nullptr) {
        document_->disconnect(this);
    }
    document_ = document;
    if (document_ != nullptr) {
        connect(document_, &EditorDocument::changed, this, [this] { Schedule(); });
    }
    Schedule();
}

// Typing only restarts the timer; the check runs once the writer pauses.
void ProblemsView::Schedule() {
    timer_->start();
}

void ProblemsView::CheckNow() {
    if (document_ != nullptr) {
        document_->CheckCache().Clear();
    }
    Check();
}

void ProblemsView::Check() {
    timer_->stop();
    if (document_ == nullptr) {
        return;
    }
    CheckOptions options;
    options.isProvided = IsProvidedName;
    const std::vector<Finding> findings =
        document_->CheckCache().Check(document_->GetDialogue(), options);
    pane_->SetFindings(findings);
    status_->setText("Problems: " +
                     QString::fromStdString(DescribeCounts(CountFindings(findings))));
    emit checked(findings);
}

}  // namespace tw
