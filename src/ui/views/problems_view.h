#pragma once

// The Problems pane of the current document with the line that counts its findings. The
// check runs a moment after the last change, so typing is never held up, over what the
// document's check cache kept of the nodes the change did not touch. The rules across nodes
// run on another thread over a snapshot; their findings are shown only when the document
// has not changed since the snapshot, so the pane never shows a state that is gone. Each
// document keeps its rows (DocumentProblems): switching to a document unchanged since its
// last check shows them again as they were, without a check or a copy.

#include <QFutureWatcher>
#include <QPointer>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/check/check_finding.h"
#include "ui/views/document_problems.h"
#include "ui/views/problems_rows_diff.h"

class QLabel;
class QTimer;
class QTableView;

namespace tw {

class EditorDocument;
class ProblemsPane;
struct ExploreFinding;

class ProblemsView : public QWidget {
    Q_OBJECT

public:
    // The check runs this long after the last change.
    static constexpr int kCheckDelayMs = 400;

    explicit ProblemsView(QWidget* parent = nullptr);

    // The document the pane checks; its changes schedule the next check.
    void SetDocument(EditorDocument* document);
    // Checks at once, deriving every node afresh (the writer asked for it).
    void CheckNow();
    // A check is scheduled, walking the document or running on the other thread.
    bool IsChecking() const;
    ProblemsPane& Pane() { return *pane_; }
    QTableView* List() const;
    // The exploration's finding in the current row, when it is one.
    const ExploreFinding* CurrentExploreFinding() const;

signals:
    // Double-click or Enter on a finding: its node and its command or response row.
    void findingChosen(std::int32_t nodeId, ItemKind item, std::size_t index);
    // Escape in the list: the writer leaves the pane.
    void leaveRequested();
    // The current row is another finding, or none.
    void currentFindingChanged();
    // The walk that takes the snapshot of the document as it is now has begun.
    void snapshotStarted();
    // A check of the document as it is now has gone to the other thread.
    void checkStarted();
    // After every check or exploration, with what they found (the map marks the nodes).
    void checked(const std::vector<Finding>& findings);

private:
    // Shows what the document kept, or schedules its check when it changed since.
    void ShowKept();
    void Schedule();
    void Check();
    // A slice of the walk that takes the snapshot; the last one hands it to the other thread.
    void WalkSome();
    void StopWalk();
    // The check's findings, then those of the document's last exploration.
    void ShowFindings();
    // The status line counts the rows shown, and the map hears of them.
    void Announce();
    QString ExploreSummary() const;
    // Keeps the check's findings and moves the rows as planned on the check's thread.
    void Show(CheckRowsPlan plan, std::uint64_t generation);
    void OnCheckDone();

    ProblemsPane* pane_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* timer_ = nullptr;
    QPointer<EditorDocument> document_;
    QPointer<DocumentProblems> kept_;  // the rows of document_
    // The walk under way between events, and the state of the document it walks.
    QTimer* walk_ = nullptr;
    QPointer<EditorDocument> walked_;
    std::uint64_t walkedGeneration_ = 0;
    // The check on the other thread, and what it was started on.
    QFutureWatcher<CheckRowsPlan>* running_ = nullptr;
    QPointer<EditorDocument> checked_;
    std::uint64_t checkedGeneration_ = 0;
    // From the hand-over until its findings are answered here: the thread may be done a
    // while before its answer comes through the event loop.
    bool isAwaited_ = false;
    bool checkAgain_ = false;
    // Check Dialogue is walking the document, and the walk of a scheduled check must wait.
    bool isCheckingNow_ = false;
};

}  // namespace tw
