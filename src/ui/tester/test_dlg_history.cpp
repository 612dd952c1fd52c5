// The tester window's "History" list and "Step Back": the engine keeps the steps, the
// window lists them and forwards the user's choice of one.

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/dialogue.h"
#include "tester/run_step.h"
#include "ui/platform/text_codec.h"
#include "ui/tester/test_dlg.h"

namespace tw {

QWidget* CTestDlg::setupHistory() {
    auto* group = new QGroupBox(tr("History"), this);
    history_ = new QListWidget(group);
    history_->setAccessibleName(tr("History"));
    history_->setAccessibleDescription(
        tr("The nodes entered and the choices made; choose one to step back to it"));
    // Enter on an entry steps back to it rather than pressing the default button.
    history_->installEventFilter(this);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(history_, 1);
    layout->addWidget(Button("Step Back"), 0, Qt::AlignLeft);
    return group;
}

// One entry per step: the node it was taken in, then what was chosen or typed there.
void CTestDlg::RefreshHistory() {
    history_->clear();
    for (const RunStep& step : session_->Engine().Steps())
        history_->addItem(FromBytes(step.nodeName) + QStringLiteral(": ") + FromBytes(step.choice));
    history_->scrollToBottom();
    Button("Step Back")->setEnabled(!session_->Engine().Steps().empty());
}

// Where the run began, the node each choice was made in, then the one the run is in now.
std::vector<std::int32_t> CTestDlg::EnteredNodeIds() {
    std::vector<const DialogueNode*> nodes{startNode_ ? startNode_ : &dialogue_.Root()};
    for (const RunStep& step : session_->Engine().Steps())
        nodes.push_back(step.state.node);
    nodes.push_back(session_->Engine().CurrentNode());
    std::vector<std::int32_t> ids;
    for (const DialogueNode* node : nodes)
        if (node != nullptr && (ids.empty() || ids.back() != node->GetId()))
            ids.push_back(node->GetId());
    return ids;
}

void CTestDlg::OnStepBack() {
    inputLines_.push_back("back");
    Act([this] { session_->StepBack(); });
}

void CTestDlg::OnHistoryEntry(int row) {
    if (row < 0)
        return;
    inputLines_.push_back("back " + std::to_string(row + 1));
    Act([this, row] { session_->StepBackTo(static_cast<std::size_t>(row)); });
}

}  // namespace tw
