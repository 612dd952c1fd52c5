#include "ui/views/problems_view.h"

#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPromise>
#include <QTableView>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>
#include <optional>

#include "model/check/cross_node_rules.h"
#include "model/check/dialogue_check.h"
#include "tester/provided_names.h"
#include "ui/controls/long_command_progress.h"
#include "ui/document/editor_document.h"
#include "ui/views/document_problems.h"
#include "ui/views/free_elsewhere.h"
#include "ui/views/problems_model.h"
#include "ui/views/problems_pane.h"

namespace tw {
namespace {

CheckOptions PaneCheckOptions() {
    CheckOptions options;
    options.isProvided = IsProvidedName;
    return options;
}

// The rules across nodes read the snapshot alone, and the rows' plan reads the findings the
// rows show, which nothing changes; the promise is shared, so a view closed meanwhile leaves
// the thread nothing to write into but its own copy.
QFuture<CheckRowsPlan> CheckElsewhere(CheckSnapshot snapshot,
                                      std::shared_ptr<const std::vector<Finding>> shown) {
    auto promise = std::make_shared<QPromise<CheckRowsPlan>>();
    QFuture<CheckRowsPlan> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start(
        [promise, snapshot = std::move(snapshot), shown = std::move(shown)]() mutable {
            auto found = std::make_shared<const std::vector<Finding>>(
                CheckAcrossNodes(snapshot, PaneCheckOptions()));
            CheckSnapshot().swap(snapshot);  // the last share of old facts is let go here
            RowsPlan rows = PlanRows(*shown, *found);
            promise->addResult(CheckRowsPlan{std::move(shown), std::move(found), std::move(rows)});
            promise->finish();
        });
    return future;
}

}  // namespace

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
    walk_ = new QTimer(this);
    walk_->setInterval(0);
    connect(walk_, &QTimer::timeout, this, [this] { WalkSome(); });
    running_ = new QFutureWatcher<CheckRowsPlan>(this);
    connect(running_, &QFutureWatcherBase::finished, this, [this] { OnCheckDone(); });
}

bool ProblemsView::IsChecking() const {
    return timer_->isActive() || walk_->isActive() || isAwaited_;
}

QTableView* ProblemsView::List() const {
    return pane_->List();
}

// The pane follows the document on show, with the rows and the current row it kept.
void ProblemsView::SetDocument(EditorDocument* document) {
    if (document_ != nullptr) {
        document_->disconnect(this);
    }
    if (kept_ != nullptr) {
        kept_->disconnect(this);
        kept_->Selection().disconnect(this);
    }
    StopWalk();
    document_ = document;
    kept_ = document_ != nullptr ? &DocumentProblems::Of(*document_) : nullptr;
    pane_->ShowModel(kept_ != nullptr ? &kept_->Model() : nullptr,
                     kept_ != nullptr ? &kept_->Selection() : nullptr);
    if (kept_ != nullptr) {
        connect(document_, &EditorDocument::changed, this, [this] { Schedule(); });
        connect(kept_, &DocumentProblems::exploreResultChanged, this, [this] { ShowFindings(); });
        connect(&kept_->Selection(), &QItemSelectionModel::currentRowChanged, this,
                [this] { emit currentFindingChanged(); });
    }
    emit currentFindingChanged();
    ShowKept();
}

// A check still to come for the document left is of no use now.
void ProblemsView::ShowKept() {
    if (kept_ == nullptr) {
        timer_->stop();
        status_->clear();
        return;
    }
    if (!kept_->IsUpToDate()) {
        Schedule();
        return;
    }
    timer_->stop();
    checkAgain_ = false;
    if (kept_->ExploreChanged()) {
        ShowFindings();
        return;
    }
    status_->setText(kept_->Status());
    emit checked(pane_->Shown());
}

// Typing only restarts the timer; the check runs once the writer pauses.
void ProblemsView::Schedule() {
    timer_->start();
}

// The writer asked and waits for the answer: every node is derived afresh, a slice at a time
// with the window painting between them and progress after a quarter of a second, and the
// rules across nodes run on the other thread meanwhile. The writer's input waits; a change
// from elsewhere (a reload) ends the wait, and the check it schedules answers instead.
void ProblemsView::CheckNow() {
    constexpr std::size_t kNodesPerStep = 128;
    timer_->stop();
    checkAgain_ = false;
    checked_ = nullptr;  // whatever is still running is of no use now
    StopWalk();
    if (document_ == nullptr) {
        return;
    }
    const QPointer<EditorDocument> document = document_;
    const std::uint64_t generation = document->Generation();
    const auto unchanged = [&] {
        return document != nullptr && document == document_ && document->Generation() == generation;
    };
    DialogueCheckCache& cache = document->CheckCache();
    cache.Clear();
    cache.BeginSnapshot(document->GetDialogue());
    LongCommandProgress progress(window(), "Checking the dialogue...");
    isCheckingNow_ = true;
    while (unchanged() && !cache.ContinueSnapshot(kNodesPerStep)) {
        progress.Step(0, 0);
    }
    std::optional<QFuture<CheckRowsPlan>> answer;
    if (unchanged()) {
        answer = CheckElsewhere(cache.TakeSnapshot(), kept_->CheckFindings());
        while (!answer->isFinished()) {
            progress.Step(0, 0);
            QThread::msleep(1);
        }
    }
    isCheckingNow_ = false;
    if (answer && unchanged()) {
        Show(answer->takeResult(), generation);
    } else if (document_ != nullptr) {
        Schedule();
    }
}

// The walk that takes the snapshot (and derives the nodes that changed) runs here, a slice
// per turn of the event loop, so at 100,000 nodes the window still paints between slices.
void ProblemsView::Check() {
    timer_->stop();
    if (document_ == nullptr || isCheckingNow_) {
        return;
    }
    if (running_->isRunning()) {
        checkAgain_ = true;
        return;
    }
    walked_ = document_;
    walkedGeneration_ = document_->Generation();
    document_->CheckCache().BeginSnapshot(document_->GetDialogue());
    emit snapshotStarted();
    WalkSome();
}

// The generation is read before any node is: a change since the walk began may have freed
// the nodes it has still to visit. That change has scheduled the check that replaces it.
void ProblemsView::WalkSome() {
    constexpr std::size_t kNodesPerStep = 512;
    constexpr int kSliceMs = 4;
    if (walked_ == nullptr || walked_ != document_ ||
        document_->Generation() != walkedGeneration_) {
        StopWalk();
        return;
    }
    DialogueCheckCache& cache = document_->CheckCache();
    QElapsedTimer spent;
    spent.start();
    bool whole = false;
    while (!whole && spent.elapsed() < kSliceMs) {
        whole = cache.ContinueSnapshot(kNodesPerStep);
    }
    if (!whole) {
        walk_->start();
        return;
    }
    StopWalk();
    checked_ = document_;
    checkedGeneration_ = walkedGeneration_;
    isAwaited_ = true;
    running_->setFuture(CheckElsewhere(cache.TakeSnapshot(), kept_->CheckFindings()));
    emit checkStarted();
}

void ProblemsView::StopWalk() {
    walk_->stop();
    walked_ = nullptr;
}

// Findings of a document that has changed since its snapshot are dropped: its change has
// scheduled the check that will replace them.
void ProblemsView::OnCheckDone() {
    isAwaited_ = false;
    QFuture<CheckRowsPlan> future = running_->future();
    if (future.resultCount() > 0) {
        auto plan = std::make_shared<CheckRowsPlan>(future.takeResult());
        const bool current = checked_ != nullptr && checked_ == document_ &&
                             document_->Generation() == checkedGeneration_;
        if (current) {
            Show(std::move(*plan), checkedGeneration_);
        }
        FreeElsewhere(std::move(plan));
    }
    if (checkAgain_) {
        checkAgain_ = false;
        Check();
    }
}

// The plan applies when the rows still show the check it was made from, and no exploration
// came or went meanwhile; otherwise the rows are worked out here.
void ProblemsView::Show(CheckRowsPlan plan, std::uint64_t generation) {
    kept_->KeepCheck(plan.after, generation);
    if (kept_->ExploreChanged() || !kept_->Model().ApplyPlan(std::move(plan))) {
        ShowFindings();
        return;
    }
    Announce();
}

}  // namespace tw
