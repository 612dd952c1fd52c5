#include "ui/main_window/talkwright_dlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTextDocument>

#include "model/dialogue.h"
#include "model/element_copy.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/control_ids.h"
#include "ui/main_window/node_rows.h"
#include "ui/main_window/node_tree_view.h"
#include "ui/main_window/undo/list_steps.h"
#include "ui/main_window/undo/text_steps.h"
#include "ui/main_window/undo/tree_steps.h"
#include "ui/platform/plain_text.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

constexpr int kCreationWidth = 1000;
constexpr int kCreationHeight = 660;
constexpr int kTimerMs = 100;
const QColor kNoNodeBackground(255, 0, 0);

// Sets a flag for the life of the scope.
class FillingScope {
public:
    explicit FillingScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~FillingScope() { flag_ = previous_; }
    FillingScope(const FillingScope&) = delete;
    FillingScope& operator=(const FillingScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

// Each cell also tells its whole text when the pointer rests on it, for texts wider than
// their column.
void FillRow(EnhancedListCtrl& list, int index, const ListRow& row) {
    const int at = list.InsertRow(index, FromBytes(row.cells.front()), row.image);
    QTreeWidgetItem* item = list.topLevelItem(at);
    for (std::size_t column = 0; column < row.cells.size(); ++column) {
        const QString text = FromBytes(row.cells[column]);
        item->setText(static_cast<int>(column), text);
        item->setToolTip(static_cast<int>(column), PlainToolTip(text));
    }
}

}  // namespace

bool IsPlainNodeItem(const QTreeWidgetItem* item) {
    return item != nullptr && EnhancedTreeCtrl::ItemValue(item) != kInitializationNodeId;
}

CTalkwrightDlg::CTalkwrightDlg(PlatformServices& services, QWidget* parent)
    : CResizingDialog(kTemplateId, services, parent),
      history_([this](Dialogue& document, std::int32_t nodeId, ViewScope scope,
                      DialogueNode* changed) { StepApplied(document, nodeId, scope, changed); }),
      files_(services),
      recent_(services) {
    documents_.SetRemovalHandler([this](const Dialogue& document) {
        history_.Forget(document);
        parkedTrees_.Forget(document);
    });
    setWindowTitle(kTitle);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    SetupLayout();
    ConnectControls();
    resize(kCreationWidth, kCreationHeight);
    InitDialog();
    RestoreSplitters();
    ShowCurrentDocument();
    timerId_ = startTimer(kTimerMs);
    files_.RestoreWorkingDirectory();
}

// The stacks go with the history and report on the way out; the window is no longer there
// to show it.
CTalkwrightDlg::~CTalkwrightDlg() {
    disconnect(&history_.Group(), nullptr, this, nullptr);
}

// The controls know nothing of dialogues: these callbacks keep the document in step.
void CTalkwrightDlg::ConnectControls() {
    const auto isNode = [](QTreeWidgetItem* item, EnhancedTreeCtrl&) {
        return IsPlainNodeItem(item);
    };
    tree_->SetCanDrag(isNode);
    tree_->SetCanDrop(isNode);
    tree_->SetDropHandler([this](QTreeWidgetItem* dragged, QTreeWidgetItem* target,
                                 EnhancedTreeCtrl&) { OnTreeDrop(dragged, target); });
    commands_->SetMoveHandler(
        [this](int from, int to, EnhancedListCtrl&) { OnCommandMoved(from, to); });
    responses_->SetMoveHandler(
        [this](int from, int to, EnhancedListCtrl&) { OnResponseMoved(from, to); });
    responses_->SetEditHandler(
        [this](int row, int, QString& text, EnhancedListCtrl&) { OnResponseEdited(row, text); });
    nodeText_->SetChangeHandler([this] { WriteBackNodeText(); });
    connect(comments_, &QLineEdit::textChanged, this, [this] { WriteBackComments(); });
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { RefreshSelection(); });
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) { OnTabChanged(index); });
    connect(&history_.Group(), &QUndoGroup::cleanChanged, this, [this] { RefreshModifiedMarks(); });
    connect(Button(control_id::kEditPartySettings), &QPushButton::clicked, this,
            [this] { OnEditPartySettings(); });
    connect(Button(control_id::kTestDialogue), &QPushButton::clicked, this,
            [this] { OnTestDialogue(); });
    ConnectEditCommands();
    SetupListKeys();
    RouteUndoKeys();
    WatchNodeMenuReason();
    ConnectLinks();
}

void CTalkwrightDlg::RefreshTitle() {
    const Dialogue& document = documents_.Current();
    const QString name = FromBytes(document.Npc().name);
    const QString shown = document.GetPath().empty() ? name : FromPath(document.GetPath());
    setWindowTitle(QString(kTitle) + " -- " + shown + "[*]");
    setWindowModified(document.IsModified());
    npcName_->setText(name);
}

// Each tab and the title say whether their dialogue has changes that are not saved.
void CTalkwrightDlg::RefreshModifiedMarks() {
    SyncTabs();
    setWindowModified(documents_.Current().IsModified());
}

void CTalkwrightDlg::SyncTabs() {
    const QSignalBlocker block(tabs_);
    while (tabs_->count() > static_cast<int>(documents_.Count())) {
        tabs_->removeTab(tabs_->count() - 1);
    }
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        const Dialogue& document = documents_.At(i);
        const QString title = FromBytes(document.Npc().name) + (document.IsModified() ? " *" : "");
        if (static_cast<int>(i) < tabs_->count()) {
            tabs_->setTabText(static_cast<int>(i), title);
        } else {
            tabs_->addTab(title);
        }
    }
    tabs_->setCurrentIndex(static_cast<int>(documents_.CurrentIndex()));
}

void CTalkwrightDlg::ClearViews() {
    const QSignalBlocker block(tree_);
    tree_->clear();
    commands_->DeleteAllRows();
    responses_->DeleteAllRows();
    shownDocument_ = nullptr;
    listedNodeId_ = -1;
}

void CTalkwrightDlg::OnTabChanged(int index) {
    if (index >= 0 && index < static_cast<int>(documents_.Count())) {
        ShowDocument(static_cast<std::size_t>(index));
    }
}

// The document left behind keeps its expanded items and selection for when it comes back.
void CTalkwrightDlg::ShowDocument(std::size_t index) {
    if (shownDocument_ != nullptr) {
        ParkShownTree();
    }
    documents_.SetCurrent(index);
    if (!ShowParkedDocument()) {
        ShowCurrentDocument();
    }
    ScheduleCheck();  // the pane follows the document on show
}

void CTalkwrightDlg::ShowCurrentDocument() {
    history_.SetActive(documents_.Current());
    SyncTabs();
    RebuildView();
    RefreshTitle();
    ScheduleCheck();
}

void CTalkwrightDlg::RebuildView() {
    ClearViews();
    Dialogue& document = documents_.Current();
    parkedTrees_.Forget(document);  // made anew: what was kept of it is out of date
    {
        const QSignalBlocker block(tree_);
        RestoreTreeState(*tree_, document, FillTree(*tree_, document));
    }
    shownDocument_ = &document;
    RefreshSelection();
}

DialogueNode* CTalkwrightDlg::SelectedNode() {
    QTreeWidgetItem* item = tree_->currentItem();
    return item ? documents_.Current().FindNodeById(EnhancedTreeCtrl::ItemValue(item)) : nullptr;
}

DialogueNode* CTalkwrightDlg::ListedNode() {
    return shownDocument_ ? shownDocument_->FindNodeById(listedNodeId_) : nullptr;
}

void CTalkwrightDlg::EnableNodeText(bool enabled) {
    nodeText_->setEnabled(enabled);
    if (enabled) {
        nodeText_->ResetBackgroundColor();
    } else {
        nodeText_->SetBackgroundColor(kNoNodeBackground);
    }
    for (int id : control_id::kResponseButtons) {
        buttons_.at(id)->setEnabled(enabled);
    }
}

void CTalkwrightDlg::RefreshSelection() {
    FillingScope filling(filling_);
    QTreeWidgetItem* item = tree_->currentItem();
    EnableNodeText(IsPlainNodeItem(item));
    nodeText_->clear();
    nodeText_->Init();
    comments_->clear();
    commands_->DeleteAllRows();
    responses_->DeleteAllRows();
    DialogueNode* node = SelectedNode();
    listedNodeId_ = node ? node->GetId() : -1;
    comments_->setEnabled(node != nullptr);
    if (node != nullptr) {
        ShowNode(*node);
    }
    // Filling the box is no step the writer can undo.
    nodeText_->document()->clearUndoRedoStacks();
    documents_.Current().SetSelectedNodeId(item ? EnhancedTreeCtrl::ItemValue(item)
                                                : kInitializationNodeId);
}

void CTalkwrightDlg::ShowNode(DialogueNode& node) {
    if (node.IsTextRich()) {
        nodeText_->SetRTF(node.GetText());
    } else {
        nodeText_->SetRichText(RichText{TextRun{TextStyle{}, node.GetText()}});
    }
    comments_->setText(FromBytes(node.GetComments()));
    comments_->setCursorPosition(0);
    for (std::size_t i = 0; i < node.Commands().size(); ++i) {
        AddCommandRow(static_cast<int>(i), *node.Commands()[i]);
    }
    for (std::size_t i = 0; i < node.Responses().size(); ++i) {
        AddResponseRow(static_cast<int>(i), *node.Responses()[i]);
    }
}

void CTalkwrightDlg::AddCommandRow(int index, const NodeCommand& command) {
    FillRow(*commands_, index, CommandRow(command));
}

void CTalkwrightDlg::AddResponseRow(int index, const NodeResponse& response) {
    FillRow(*responses_, index, ResponseRow(response));
}

void CTalkwrightDlg::WriteBackNodeText() {
    DialogueNode* node = filling_ ? nullptr : SelectedNode();
    if (node == nullptr) {
        return;
    }
    NodeTextValue before{node->GetText(), node->IsTextRich()};
    if (node->EditRichText(nodeText_->GetRTF())) {
        NodeTextValue after{node->GetText(), true};
        Apply(new NodeTextStep(*shownDocument_, history_.Update(), node->GetId(), std::move(before),
                               std::move(after)),
              true);
    }
}

// Only the comments: the node text was stored as it changed, and storing it again would
// rewrite, in our own RTF, a text that another program wrote and nobody touched.
void CTalkwrightDlg::WriteBackComments() {
    DialogueNode* node = filling_ ? nullptr : SelectedNode();
    if (node == nullptr) {
        return;
    }
    std::string before = node->GetComments();
    if (node->EditComments(ToBytes(comments_->text()))) {
        Apply(new NodeCommentsStep(*shownDocument_, history_.Update(), node->GetId(),
                                   std::move(before), node->GetComments()),
              true);
    }
}

// The tree has moved its items already; the step moves the node in the document.
void CTalkwrightDlg::OnTreeDrop(QTreeWidgetItem* dragged, QTreeWidgetItem* target) {
    Dialogue& document = documents_.Current();
    const int id = EnhancedTreeCtrl::ItemValue(dragged);
    const int parentId = EnhancedTreeCtrl::ItemValue(target);
    DialogueNode* node = document.FindNodeById(id);
    DialogueNode* parent = document.FindNodeById(parentId);
    if (node == nullptr || parent == nullptr || node == &document.Root() ||
        node->Contains(parent) ||
        (node->Parent() == parent && parent->Children().back().get() == node)) {
        return;
    }
    Apply(new MoveNodeStep(document, history_.Update(), id, parentId, false), true);
}

void CTalkwrightDlg::OnCommandMoved(int from, int to) {
    DialogueNode* node = ListedNode();
    const auto count = node ? static_cast<int>(node->Commands().size()) : 0;
    if (from != to && from >= 0 && to >= 0 && from < count && to < count) {
        Apply(new MoveCommandStep(*shownDocument_, history_.Update(), "Move Command", node->GetId(),
                                  static_cast<std::size_t>(from), static_cast<std::size_t>(to)),
              true);
    }
}

void CTalkwrightDlg::OnResponseMoved(int from, int to) {
    DialogueNode* node = ListedNode();
    const auto count = node ? static_cast<int>(node->Responses().size()) : 0;
    if (from != to && from >= 0 && to >= 0 && from < count && to < count) {
        Apply(
            new MoveResponseStep(*shownDocument_, history_.Update(), "Move Response", node->GetId(),
                                 static_cast<std::size_t>(from), static_cast<std::size_t>(to)),
            true);
    }
}

void CTalkwrightDlg::OnResponseEdited(int row, QString& text) {
    DialogueNode* node = ListedNode();
    if (node == nullptr || row < 0 || row >= static_cast<int>(node->Responses().size())) {
        return;
    }
    // The edit is made on a copy, which the step then swaps in: the step keeps the original.
    std::string bytes = ToBytes(text);
    std::unique_ptr<NodeResponse> edited =
        CopyResponse(*node->Responses()[static_cast<std::size_t>(row)]);
    if (edited != nullptr && edited->EditShownText(bytes)) {
        Apply(new ReplaceResponseStep(*shownDocument_, history_.Update(), "Edit Response Text",
                                      node->GetId(), static_cast<std::size_t>(row),
                                      std::move(edited)),
              true);
    }
    text = FromBytes(bytes);
    if (QTreeWidgetItem* item = responses_->topLevelItem(row)) {
        item->setToolTip(2, PlainToolTip(text));
    }
}

}  // namespace tw
