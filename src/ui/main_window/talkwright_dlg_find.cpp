// The main window's "Search" menu: the find bar, its search over the current dialogue or
// every open one in slices between events, and going to a result.

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "model/dialogue.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/find_bar.h"
#include "ui/main_window/find_run.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/platform/text_codec.h"

namespace tw {

namespace {

// Nodes searched per turn of the event loop: a few milliseconds at most.
constexpr std::size_t kNodesPerSlice = 2000;

}  // namespace

QWidget* CTalkwrightDlg::SetupFindBar() {
    findBar_ = new FindBar(this);
    findBar_->hide();
    findBar_->onEnter = [this] { OnFindNext(true); };
    findBar_->onActivate = [this](int row) { GoToFindResult(row); };
    findBar_->onClose = [this] { HideFind(); };
    findTimer_ = new QTimer(this);
    findTimer_->setInterval(0);
    connect(findTimer_, &QTimer::timeout, this, [this] { SearchSlice(); });
    // A search under way walks the tree's nodes between events: when nodes may have gone
    // (a branch deleted, a step undone, a tab closed) it starts again on what is left.
    connect(tree_->model(), &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] {
        if (!findNavigating_)
            RestartRunningFind();
    });
    connect(findBar_->Pattern(), &QLineEdit::textChanged, this, [this] { StartFind(findAll_); });
    connect(findBar_->MatchCase(), &QCheckBox::toggled, this, [this] { StartFind(findAll_); });
    connect(findBar_->WholeWords(), &QCheckBox::toggled, this, [this] { StartFind(findAll_); });
    return findBar_;
}

QMenu* CTalkwrightDlg::SetupSearchMenu() {
    auto* menu = new QMenu("&Search", this);
    QAction* find = menu->addAction("&Find...");
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] { OnFind(false); });
    QAction* next = menu->addAction("Find &Next");
    next->setShortcut(Qt::Key_F3);
    connect(next, &QAction::triggered, this, [this] { OnFindNext(true); });
    QAction* previous = menu->addAction("Find &Previous");
    previous->setShortcut(Qt::SHIFT | Qt::Key_F3);
    connect(previous, &QAction::triggered, this, [this] { OnFindNext(false); });
    QAction* all = menu->addAction("Find in &All Open Dialogues");
    all->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_F);
    connect(all, &QAction::triggered, this, [this] { OnFind(true); });
    menu->addSeparator();
    findShown_ = menu->addAction("Find &Bar");
    findShown_->setObjectName("showFindBar");
    findShown_->setCheckable(true);
    connect(findShown_, &QAction::triggered, this, [this](bool shown) {
        if (shown)
            OnFind(findAll_);
        else
            HideFind();
    });
    return menu;
}

// The focus goes back where it was before the bar took it, and the lists get their room
// back.
void CTalkwrightDlg::HideFind() {
    const bool hadFocus = findBar_->isAncestorOf(QApplication::focusWidget());
    if (findBar_->isVisible() && !panesBeforeFind_.isEmpty())
        panes_->setSizes(panesBeforeFind_);
    findBar_->hide();
    findShown_->setChecked(false);
    if (hadFocus)
        (focusBeforeFind_ ? focusBeforeFind_.data() : static_cast<QWidget*>(tree_))->setFocus();
}

void CTalkwrightDlg::OnFind(bool allDialogues) {
    if (QWidget* focus = QApplication::focusWidget(); focus && !findBar_->isAncestorOf(focus))
        focusBeforeFind_ = focus;
    findShown_->setChecked(true);
    if (!findBar_->isVisible())
        ShowFindBarWithRoom();
    findBar_->Pattern()->setFocus();
    findBar_->Pattern()->selectAll();
    StartFind(allDialogues);
}

// The pane below the lists grows to show the bar and its results whole; the lists give up
// the room.
void CTalkwrightDlg::ShowFindBarWithRoom() {
    panesBeforeFind_ = panes_->sizes();
    findBar_->show();
    const int wanted = panes_->widget(1)->sizeHint().height();
    const QList<int> sizes = panes_->sizes();
    if (sizes.size() == 2 && sizes[1] < wanted)
        panes_->setSizes({std::max(0, sizes[0] + sizes[1] - wanted), wanted});
}

void CTalkwrightDlg::RestartRunningFind() {
    if (!findRun_ || findRun_->IsDone())
        return;
    findRun_.reset();
    findTimer_->stop();
    QTimer::singleShot(0, this, [this] { StartFind(findAll_); });
}

// A new search replaces the one under way; the first slice runs at once.
void CTalkwrightDlg::StartFind(bool allDialogues) {
    findAll_ = allDialogues;
    findResults_.clear();
    findCurrent_ = -1;
    findBar_->ClearResults();
    findRun_ = std::make_shared<FindRun>();
    const SearchOptions options = findBar_->Options();
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        if (allDialogues || i == documents_.CurrentIndex())
            findRun_->Add(i, documents_.At(i), options);
    }
    SearchSlice();
}

void CTalkwrightDlg::SearchSlice() {
    if (!findRun_)
        return;
    findRun_->DropClosed([this](std::size_t index, const Dialogue* dialogue) {
        return index < documents_.Count() && &documents_.At(index) == dialogue;
    });
    for (FoundMatch& found : findRun_->Step(kNodesPerSlice)) {
        QString node = FromBytes(found.match.node->Label());
        if (findAll_)
            node = tabs_->tabText(static_cast<int>(found.document)) + ": " + node;
        findBar_->AddResult(node, found.match);
        findResults_.push_back(std::move(found));
    }
    if (findRun_->IsDone())
        findTimer_->stop();
    else if (!findTimer_->isActive())
        findTimer_->start();
}

// Enter and F3 go to the next result, Shift+F3 to the one before, round the list.
void CTalkwrightDlg::OnFindNext(bool forward) {
    if (!findBar_->isVisible()) {
        OnFind(findAll_);
        return;
    }
    const int count = static_cast<int>(findResults_.size());
    if (count == 0)
        return;
    const int step = forward ? 1 : count - 1;
    GoToFindResult(findCurrent_ < 0 ? (forward ? 0 : count - 1) : (findCurrent_ + step) % count);
}

void CTalkwrightDlg::GoToFindResult(int row) {
    if (row < 0 || row >= static_cast<int>(findResults_.size()))
        return;
    findCurrent_ = row;
    findBar_->Results()->setCurrentItem(findBar_->Results()->topLevelItem(row));
    const FoundMatch found = findResults_[static_cast<std::size_t>(row)];
    if (found.document >= documents_.Count())
        return;
    if (found.document != documents_.CurrentIndex()) {
        findNavigating_ = true;  // showing another tab frees no node
        ShowDocument(found.document);
        findNavigating_ = false;
    }
    if (!SelectTreeNode(found.nodeId))
        return;
    ShowFoundField(found.match);
}

bool CTalkwrightDlg::SelectTreeNode(std::int32_t id) {
    for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it) {
        if (EnhancedTreeCtrl::ItemValue(*it) == id) {
            tree_->setCurrentItem(*it);
            tree_->scrollToItem(*it);
            return true;
        }
    }
    return false;
}

// The command or response row, or the match in the node-text box.
void CTalkwrightDlg::ShowFoundField(const SearchMatch& match) {
    const auto row = static_cast<int>(match.row);
    switch (match.field) {
        case SearchField::kCommandText:
        case SearchField::kCommandCondition:
            commands_->SelectRow(row);
            break;
        case SearchField::kResponseTag:
        case SearchField::kResponseText:
        case SearchField::kResponseTarget:
        case SearchField::kResponseCondition:
            responses_->SelectRow(row);
            break;
        case SearchField::kNodeText:
            SelectFoundText(match);
            break;
        default:
            break;
    }
}

// The box shows the same plain text the search read; the match is found again there by
// its line, so line ends of either kind do not shift it.
void CTalkwrightDlg::SelectFoundText(const SearchMatch& match) {
    const QString text = nodeText_->toPlainText();
    const QString line = FromBytes(match.line);
    const int lineAt = text.indexOf(line);
    if (lineAt < 0)
        return;
    QTextCursor cursor(nodeText_->document());
    cursor.setPosition(lineAt + FromBytes(match.line.substr(0, match.offset)).size());
    cursor.setPosition(
        cursor.position() + FromBytes(match.line.substr(match.offset, match.length)).size(),
        QTextCursor::KeepAnchor);
    nodeText_->setTextCursor(cursor);
}

}  // namespace tw
