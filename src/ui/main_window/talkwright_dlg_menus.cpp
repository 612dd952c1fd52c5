// The main window's commands as actions, the menus that hold them, and the find bar's
// showing and hiding.

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>

#include "model/editing/tree_edit_rules.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/main_window/explore_command.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/platform/text_codec.h"
#include "ui/views/find_bar.h"
#include "ui/views/find_part.h"
#include "ui/views/map/map_view.h"
#include "ui/views/node_editor.h"
#include "ui/views/node_tree_part.h"
#include "ui/views/problems_pane.h"
#include "ui/views/problems_view.h"

namespace tw {

// Every command is one action, named for the window's automation and its tests, and shared
// by the menus and the context menus that offer it.
QAction* CTalkwrightDlg::AddAction(const char* name, const QString& caption,
                                   std::function<void()> run, const QKeySequence& key) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (!key.isEmpty()) {
        action->setShortcut(key);
    }
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    actions_[name] = action;
    return action;
}

void CTalkwrightDlg::SetupActions() {
    AddAction("newDialogue", "&New Dialogue", [this] { OnNewDialogue(); });
    AddAction(
        "open", "&Open", [this] { OnOpen(); }, QKeySequence::Open);
    AddAction("closeDialogue", "&Close Dialogue", [this] { OnCloseDialogue(); });
    AddAction(
        "save", "&Save", [this] { OnSave(); }, QKeySequence::Save);
    AddAction("saveAs", "Save &As...", [this] { OnSaveAs(); });
    AddAction("saveAll", "Save A&ll", [this] { OnSaveAll(); });
    AddAction("export", "&Export...", [this] { OnExport(); });
    AddAction("batchExport", "&Batch Export...", [this] { OnBatchExport(); });
    AddAction("exportMap", "Export &Map...", [this] { OnExportMap(); });
    AddAction("quit", "&Quit", [this] { OnQuit(); });
    AddAction("rename", "&Rename", [this] { trees_->RenameNode(); });
    AddAction("clearNode", "&Clear Node", [this] { trees_->ClearNode(); });
    AddAction("deleteBranch", "Delete &Branch", [this] { trees_->DeleteBranch(); });
    AddAction("makeRoot", "&Make Root", [this] { trees_->MakeRoot(); });
    AddAction("addNewNode", "&Add New Node", [this] { trees_->AddNewNode(); });
    AddAction("testFromNode", "&Test from Selected Node", [this] { OnTestDialogue(true); });
    AddAction(
        "goToNode", "&Go to Node", [this] { OnGoToNode(); }, Qt::Key_F12);
    AddAction(
        "back", "&Back", [this] { OnBack(true); }, Qt::ALT | Qt::Key_Left);
    AddAction(
        "forward", "&Forward", [this] { OnBack(false); }, Qt::ALT | Qt::Key_Right);
    AddAction(
        "linksToNode", "&Links to This Node", [this] { OnLinksToNode(); }, Qt::SHIFT | Qt::Key_F12);
    AddAction("about", "&About", [this] { OnAbout(); });
}

void CTalkwrightDlg::SetupMenus() {
    menuBar_ = new QMenuBar(this);
    menuBar_->addMenu(SetupFileMenu());
    menuBar_->addMenu(SetupEditMenu());
    menuBar_->addMenu(SetupSortMenu());
    menuBar_->addMenu(SetupViewMenu());
    menuBar_->addMenu(SetupSearchMenu());
    QMenu* help = menuBar_->addMenu("&Help");
    help->addAction(actions_.at("about"));
}

QMenu* CTalkwrightDlg::SetupFileMenu() {
    auto* file = new QMenu("&File", this);
    for (const char* name : {"newDialogue", "open", "closeDialogue", "", "save", "saveAs",
                             "saveAll", "", "export", "batchExport", "exportMap", ""}) {
        if (*name == '\0') {
            file->addSeparator();
        } else {
            file->addAction(actions_.at(name));
        }
    }
    recentMenu_ = file->addMenu("Recent Files");
    recentMenu_->setObjectName("recentFiles");
    connect(file, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
    file->addSeparator();
    file->addAction(actions_.at("quit"));
    FillRecentMenu();
    return file;
}

// The keys of Cut, Copy, Paste and Delete belong to the lists and text boxes, each acting on
// its own selection; the menu only names them.
QMenu* CTalkwrightDlg::SetupEditMenu() {
    editMenu_ = new QMenu("&Edit", this);
    QAction* undo = documents_.UndoGroup().createUndoAction(this, "&Undo");
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = documents_.UndoGroup().createRedoAction(this, "&Redo");
    redo->setShortcuts({QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                        QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)});
    undo->setObjectName("undo");
    redo->setObjectName("redo");
    for (QAction* action : {undo, redo}) {
        action->setShortcutContext(Qt::WindowShortcut);
        editMenu_->addAction(action);
    }
    editMenu_->addSeparator();
    const std::tuple<const char*, const char*, QKeySequence, void (NodeEditor::*)()> commands[] = {
        {"cut", "Cu&t", QKeySequence::Cut, &NodeEditor::Cut},
        {"copy", "&Copy", QKeySequence::Copy, &NodeEditor::Copy},
        {"paste", "&Paste", QKeySequence::Paste, &NodeEditor::Paste},
        {"delete", "&Delete", QKeySequence::Delete, &NodeEditor::Delete}};
    for (const auto& [name, caption, key, run] : commands) {
        QAction* action = editMenu_->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, editor_, run);
    }
    editMenu_->addSeparator();
    QAction* all = editMenu_->addAction("Select &All");
    all->setObjectName("selectAll");
    connect(all, &QAction::triggered, editor_, &NodeEditor::SelectAll);
    return editMenu_;
}

QMenu* CTalkwrightDlg::SetupSortMenu() {
    auto* sort = new QMenu("&Sort", this);
    const std::tuple<const char*, const char*, void (NodeTreePart::*)(bool)> scopes[] = {
        {"All Nodes", "sortAll", &NodeTreePart::SortAll},
        {"Selected Branch", "sortBranch", &NodeTreePart::SortBranch}};
    for (const auto& [scope, name, run] : scopes) {
        QMenu* sub = sort->addMenu(scope);
        for (bool ascending : {true, false}) {
            QAction* action = sub->addAction(ascending ? "Ascending" : "Descending");
            action->setObjectName(QString(name) + (ascending ? "Ascending" : "Descending"));
            connect(action, &QAction::triggered, this,
                    [this, run = run, ascending] { (trees_->*run)(ascending); });
        }
    }
    return sort;
}

QMenu* CTalkwrightDlg::SetupViewMenu() {
    auto* view = new QMenu("&View", this);
    QAction* pane = view->addAction("&Problems");
    pane->setCheckable(true);
    pane->setChecked(true);
    pane->setObjectName("viewProblems");
    connect(pane, &QAction::toggled, this, [this](bool shown) { problems_->setVisible(shown); });
    QAction* check = view->addAction("&Check Dialogue");
    check->setObjectName("checkDialogue");
    check->setShortcut(Qt::Key_F7);
    connect(check, &QAction::triggered, this, [this, pane] {
        pane->setChecked(true);
        problems_->CheckNow();
    });
    view->addAction(AddAction(
        "exploreDialogue", "E&xplore Dialogue",
        [this, pane] {
            pane->setChecked(true);
            explore_->Explore();
        },
        Qt::SHIFT | Qt::Key_F7));
    view->addAction(AddAction(
        "replayFinding", "&Replay Finding", [this] { explore_->Replay(); }, Qt::CTRL | Qt::Key_R));
    QAction* map = view->addAction("&Map");
    map->setCheckable(true);
    map->setObjectName("showMap");
    connect(map, &QAction::toggled, this, [this](bool shown) {
        map_->setVisible(shown);
        if (shown) {
            map_->ShowFindings(problems_->Pane().Shown());
        }
    });
    view->addSeparator();
    for (const char* name : {"goToNode", "back", "forward", "linksToNode"}) {
        view->addAction(actions_.at(name));
    }
    return view;
}

QMenu* CTalkwrightDlg::SetupSearchMenu() {
    auto* menu = new QMenu("&Search", this);
    menu->addAction(AddAction(
        "find", "&Find...", [this] { OnFind(false); }, QKeySequence::Find));
    menu->addAction(AddAction(
        "findNext", "Find &Next", [this] { OnFindNext(true); }, Qt::Key_F3));
    menu->addAction(AddAction(
        "findPrevious", "Find &Previous", [this] { OnFindNext(false); }, Qt::SHIFT | Qt::Key_F3));
    menu->addAction(AddAction(
        "findAll", "Find in &All Open Dialogues", [this] { OnFind(true); },
        Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    menu->addSeparator();
    QAction* shown = AddAction("showFindBar", "Find &Bar", [] {});
    shown->setCheckable(true);
    connect(shown, &QAction::triggered, this, [this](bool show) {
        if (show) {
            OnFind(find_->SearchesAll());
        } else {
            HideFind();
        }
    });
    menu->addAction(shown);
    return menu;
}

// A recent file that can no longer be opened leaves the list.
void CTalkwrightDlg::FillRecentMenu() {
    recentMenu_->clear();
    const std::vector<std::string>& entries = recent_.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QString caption = QString("&%1 %2").arg(i + 1).arg(
            QDir::toNativeSeparators(FromPath(entries[i])).replace("&", "&&"));
        connect(recentMenu_->addAction(caption), &QAction::triggered, this,
                [this, i] { OnRecentFile(i); });
    }
    recentMenu_->setEnabled(!entries.empty());
}

// Rename, Clear Node, Delete Branch, Make Root and the test from a node need a node other than
// the initialization node; Make Root one that is not already at the top.
void CTalkwrightDlg::UpdateNodeActions() {
    if (actions_.empty()) {
        return;
    }
    EditorDocument& document = documents_.Current();
    const Dialogue& dialogue = document.GetDialogue();
    const bool movable = IsMovableNode(dialogue, document.CurrentNodeId());
    for (const char* name : {"rename", "clearNode", "deleteBranch", "testFromNode"}) {
        actions_.at(name)->setEnabled(movable);
    }
    actions_.at("makeRoot")->setEnabled(CanMakeRoot(dialogue, document.CurrentNodeId()));
}

void CTalkwrightDlg::ShowNodeMenu(const QPoint& at) {
    UpdateNodeActions();
    QMenu menu(this);
    for (const char* name : {"rename", "clearNode", "deleteBranch", "makeRoot", "addNewNode",
                             "testFromNode", "", "linksToNode"}) {
        if (*name == '\0') {
            menu.addSeparator();
        } else {
            menu.addAction(actions_.at(name));
        }
    }
    menu.exec(at);
}

void CTalkwrightDlg::ShowListMenu(EnhancedListCtrl& list, const QPoint& pos) {
    if (QTreeWidgetItem* hit = list.itemAt(pos)) {
        list.setCurrentItem(hit);
    }
    QMenu menu(this);
    menu.addAction(actions_.at("goToNode"));
    menu.exec(list.viewport()->mapToGlobal(pos));
}

void CTalkwrightDlg::OnFind(bool allDialogues) {
    if (QWidget* focus = QApplication::focusWidget(); focus && !findBar_->isAncestorOf(focus)) {
        focusBeforeFind_ = focus;
    }
    actions_.at("showFindBar")->setChecked(true);
    if (!findBar_->isVisible()) {
        ShowFindBarWithRoom();
    }
    findBar_->Pattern()->setFocus();
    findBar_->Pattern()->selectAll();
    find_->Start(allDialogues);
}

void CTalkwrightDlg::OnFindNext(bool forward) {
    if (!findBar_->isVisible()) {
        OnFind(find_->SearchesAll());
        return;
    }
    find_->Next(forward);
}

// The pane below the lists grows to show the bar and its results whole; the lists give up the
// room.
void CTalkwrightDlg::ShowFindBarWithRoom() {
    panesBeforeFind_ = panes_->sizes();
    findBar_->show();
    const int wanted = panes_->widget(1)->sizeHint().height();
    const QList<int> sizes = panes_->sizes();
    if (sizes.size() == 2 && sizes[1] < wanted) {
        panes_->setSizes({std::max(0, sizes[0] + sizes[1] - wanted), wanted});
    }
}

// The focus goes back where it was before the bar took it, and the lists get their room back.
void CTalkwrightDlg::HideFind() {
    const bool hadFocus = findBar_->isAncestorOf(QApplication::focusWidget());
    if (findBar_->isVisible() && !panesBeforeFind_.isEmpty()) {
        panes_->setSizes(panesBeforeFind_);
    }
    findBar_->hide();
    actions_.at("showFindBar")->setChecked(false);
    if (hadFocus) {
        (focusBeforeFind_ ? focusBeforeFind_.data() : static_cast<QWidget*>(trees_))->setFocus();
    }
}

}  // namespace tw
