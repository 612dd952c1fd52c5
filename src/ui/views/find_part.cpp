#include "ui/views/find_part.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <algorithm>

#include "model/dialogue.h"
#include "ui/controls/shown_label.h"
#include "ui/document/document_manager.h"
#include "ui/views/find_bar.h"
#include "ui/views/find_free_later.h"

namespace tw {

FindPart::FindPart(DocumentManager& documents, FindBar& bar)
    : QObject(&bar), documents_(documents), bar_(bar) {
    timer_ = new QTimer(this);
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, [this] { Slice(); });
    bar_.onEnter = [this] { Next(true); };
    bar_.onActivate = [this](int row) { GoTo(row); };
    connect(bar_.Pattern(), &QLineEdit::textChanged, this, [this] { Start(all_); });
    connect(bar_.MatchCase(), &QCheckBox::toggled, this, [this] { Start(all_); });
    connect(bar_.WholeWords(), &QCheckBox::toggled, this, [this] { Start(all_); });
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        Watch(documents_.At(i));
    }
    connect(&documents_, &DocumentManager::documentAdded, this,
            [this](EditorDocument& document) { Watch(document); });
    // A closed dialogue's results go with it; a search under way never walks it again.
    connect(&documents_, &DocumentManager::documentAboutToClose, this,
            [this](EditorDocument& document) {
                if (run_) {
                    run_->Drop(document.GetDialogue());
                    DropUnshown(document.GetDialogue());
                }
                if (bar_.isVisible()) {
                    QTimer::singleShot(0, this, [this] { Start(all_); });
                }
            });
}

void FindPart::Watch(EditorDocument& document) {
    connect(&document, &EditorDocument::changed, this, [this] { RestartIfRunning(); });
}

// Results whose rows are still to come name nodes the change may have freed.
void FindPart::RestartIfRunning() {
    if (!run_ || IsFinished()) {
        return;
    }
    run_.reset();
    timer_->stop();
    QTimer::singleShot(0, this, [this] { Start(all_); });
}

void FindPart::Start(bool allDialogues) {
    all_ = allDialogues;
    FreeLater(this, results_);  // each holds a copy of its line
    shown_ = 0;
    current_ = -1;
    bar_.ClearResults();
    run_ = std::make_unique<FindRun>();
    const SearchOptions options = bar_.Options();
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        if (allDialogues || i == documents_.CurrentIndex()) {
            run_->Add(documents_.At(i).GetDialogue(), options);
        }
    }
    Slice();
}

// A step of nodes may find more results than a turn shows: their rows follow in the next
// turns, the search waiting for them.
void FindPart::Slice() {
    if (!run_) {
        return;
    }
    QElapsedTimer spent;
    spent.start();
    for (std::size_t searched = 0;
         !run_->IsDone() && searched < kNodesPerSlice && spent.elapsed() < kSliceMs &&
         results_.size() - shown_ < kResultsPerSlice;
         searched += kNodesPerStep) {
        for (FoundMatch& found : run_->Step(kNodesPerStep)) {
            results_.push_back(std::move(found));
        }
    }
    ShowResults(std::min(results_.size(), shown_ + kResultsPerSlice));
    if (IsFinished()) {
        timer_->stop();
    } else if (!timer_->isActive()) {
        timer_->start();
    }
}

// Results still waiting for their rows name nodes that go with their dialogue.
void FindPart::DropUnshown(const Dialogue& dialogue) {
    const auto unshown = results_.begin() + static_cast<std::ptrdiff_t>(shown_);
    results_.erase(
        std::remove_if(unshown, results_.end(),
                       [&](const FoundMatch& found) { return found.document == &dialogue; }),
        results_.end());
}

bool FindPart::IsFinished() const {
    return run_->IsDone() && shown_ == results_.size();
}

void FindPart::ShowResults(std::size_t upTo) {
    std::vector<std::pair<QString, const SearchMatch*>> rows;
    rows.reserve(upTo - shown_);
    for (; shown_ < upTo; ++shown_) {
        const FoundMatch& found = results_[shown_];
        QString node = ShownLabel(found.match.node->Label());
        if (all_) {
            node = ShownLabel(found.document->Npc().name) + ": " + node;
        }
        rows.emplace_back(std::move(node), &found.match);
    }
    bar_.AddResults(rows);
}

void FindPart::Next(bool forward) {
    const int count = static_cast<int>(shown_);
    if (count == 0) {
        return;
    }
    const int step = forward ? 1 : count - 1;
    GoTo(current_ < 0 ? (forward ? 0 : count - 1) : (current_ + step) % count);
}

EditorDocument* FindPart::DocumentOf(const Dialogue* dialogue) {
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        if (&documents_.At(i).GetDialogue() == dialogue) {
            return &documents_.At(i);
        }
    }
    return nullptr;
}

void FindPart::GoTo(int row) {
    if (row < 0 || row >= static_cast<int>(shown_)) {
        return;
    }
    current_ = row;
    bar_.Results()->setCurrentIndex(bar_.Results()->model()->index(row, 0));
    const FoundMatch found = results_[static_cast<std::size_t>(row)];
    if (EditorDocument* document = DocumentOf(found.document)) {
        emit resultChosen(*document, found.nodeId, found.match);
    }
}

}  // namespace tw
