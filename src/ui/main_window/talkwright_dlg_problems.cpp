// The Problems pane: the dialogue check of the current document, run a moment after each
// change over what the cache kept of the nodes the change did not touch, its findings
// listed below the lists and counted in the status line.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/check/dialogue_check.h"
#include "model/dialogue.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/main_window/problems_pane.h"
#include "ui/main_window/talkwright_dlg.h"

namespace tw {

QMenu* CTalkwrightDlg::SetupViewMenu() {
    auto* view = new QMenu("&View", this);
    QAction* pane = view->addAction("&Problems");
    pane->setCheckable(true);
    pane->setChecked(true);
    pane->setObjectName("viewProblems");
    connect(pane, &QAction::toggled, this, [this](bool shown) { problems_->setVisible(shown); });
    QAction* check = view->addAction("&Check Dialogue");
    check->setShortcut(Qt::Key_F7);
    connect(check, &QAction::triggered, this, [this, pane] {
        pane->setChecked(true);
        checkCache_.Clear();  // asked for by the writer: every node derived afresh
        OnCheckDialogue();
    });
    view->addSeparator();
    AddLinkActions(*view, false);
    return view;
}

QWidget* CTalkwrightDlg::SetupProblemsPane() {
    auto* area = new QWidget(this);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 6, 0, 0);
    problems_ = new ProblemsPane(area);
    problems_->SetActivateHandler([this](std::int32_t nodeId, ItemKind item, std::size_t index) {
        SelectNodeRow(nodeId, item, index);
    });
    problems_->SetLeaveHandler([this] { tree_->setFocus(); });
    status_ = new QLabel(area);
    status_->setObjectName("statusText");
    status_->setAccessibleName("Status");
    layout->addWidget(problems_);
    layout->addWidget(status_);
    checkTimer_ = new QTimer(this);
    checkTimer_->setSingleShot(true);
    checkTimer_->setInterval(kCheckDelayMs);
    connect(checkTimer_, &QTimer::timeout, this, [this] { OnCheckDialogue(); });
    return area;
}

// Typing only restarts the timer; the check runs once the writer pauses.
void CTalkwrightDlg::ScheduleCheck() {
    if (checkTimer_ != nullptr) {
        checkTimer_->start();
    }
}

// The node of every undo step is derived again at the next check; nodes the step added or
// removed the cache finds by itself.
void CTalkwrightDlg::MarkCheckedNode(Dialogue& document, std::int32_t nodeId) {
    if (const DialogueNode* node = document.FindNodeById(nodeId)) {
        checkCache_.MarkChanged(*node);
    }
}

// The cache keeps one document's facts; after a switch of tabs it derives the other one.
void CTalkwrightDlg::OnCheckDialogue() {
    checkTimer_->stop();
    const std::vector<Finding> findings = checkCache_.Check(documents_.Current());
    problems_->SetFindings(findings);
    status_->setText("Problems: " +
                     QString::fromStdString(DescribeCounts(CountFindings(findings))));
}

}  // namespace tw
