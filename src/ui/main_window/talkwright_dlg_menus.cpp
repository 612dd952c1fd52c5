// The main window's menus as one table: every command is one action, named for the window's
// automation and its tests, and shared by the menus and the context menus that offer it.

#include <QMenu>
#include <QMenuBar>

#include "model/editing/tree_edit_rules.h"
#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/main_window/explore_command.h"
#include "ui/main_window/export_commands.h"
#include "ui/main_window/find_commands.h"
#include "ui/main_window/link_commands.h"
#include "ui/main_window/menu_table.h"
#include "ui/main_window/npc_commands.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/main_window/view_commands.h"
#include "ui/views/node_editor.h"
#include "ui/views/node_tree_part.h"

namespace tw {

// The keys of Cut, Copy, Paste and Delete belong to the lists and text boxes, each acting on
// its own selection; the menu only names them. The actions the table only names (no menu)
// are offered by the node menu.
void CTalkwrightDlg::SetupMenus() {
    AddUndoActions();
    const MenuEntry table[] = {
        {"&File", "newDialogue", "&New Dialogue", [this] { files_->NewDialogue(); }},
        {"&File", "open", "&Open", [this] { files_->Open(); }, QKeySequence::Open},
        {"&File", "closeDialogue", "&Close Dialogue", [this] { files_->CloseDialogue(); }},
        {"&File"},
        {"&File", "save", "&Save", [this] { files_->Save(); }, QKeySequence::Save},
        {"&File", "saveAs", "Save &As...", [this] { files_->SaveAs(); }},
        {"&File", "saveAll", "Save A&ll", [this] { files_->SaveAll(); }},
        {"&File"},
        {"&File", "export", "&Export...", [this] { export_->Export(); }},
        {"&File", "batchExport", "&Batch Export...", [this] { export_->BatchExport(); }},
        {"&File", "exportMap", "Export &Map...", [this] { export_->ExportMap(); }},
        {"&File"},
        {"&File", "recentFiles", "Recent Files", nullptr, QKeySequence(), kMenuSubmenu},
        {"&File"},
        {"&File", "quit", "&Quit", [this] { OnQuit(); }},
        {"&Edit", "undo"},
        {"&Edit", "redo"},
        {"&Edit"},
        {"&Edit", "cut", "Cu&t", [this] { layout_.editor->Cut(); }, QKeySequence::Cut,
         kMenuWidgetShortcut},
        {"&Edit", "copy", "&Copy", [this] { layout_.editor->Copy(); }, QKeySequence::Copy,
         kMenuWidgetShortcut},
        {"&Edit", "paste", "&Paste", [this] { layout_.editor->Paste(); }, QKeySequence::Paste,
         kMenuWidgetShortcut},
        {"&Edit", "delete", "&Delete", [this] { layout_.editor->Delete(); }, QKeySequence::Delete,
         kMenuWidgetShortcut},
        {"&Edit"},
        {"&Edit", "selectAll", "Select &All", [this] { layout_.editor->SelectAll(); }},
        {"&Sort/All Nodes", "sortAllAscending", "Ascending",
         [this] { layout_.trees->SortAll(true); }},
        {"&Sort/All Nodes", "sortAllDescending", "Descending",
         [this] { layout_.trees->SortAll(false); }},
        {"&Sort/Selected Branch", "sortBranchAscending", "Ascending",
         [this] { layout_.trees->SortBranch(true); }},
        {"&Sort/Selected Branch", "sortBranchDescending", "Descending",
         [this] { layout_.trees->SortBranch(false); }},
        {"&View", "viewProblems", "&Problems", [this] { view_->ShowProblems(); }, QKeySequence(),
         kMenuChecked | kMenuToggled},
        {"&View", "checkDialogue", "&Check Dialogue", [this] { view_->CheckDialogue(); },
         Qt::Key_F7},
        {"&View", "exploreDialogue", "E&xplore Dialogue", [this] { view_->ExploreDialogue(); },
         Qt::SHIFT | Qt::Key_F7},
        {"&View", "replayFinding", "&Replay Finding", [this] { explore_->Replay(); },
         Qt::CTRL | Qt::Key_R},
        {"&View", "showMap", "&Map", [this] { view_->ShowMap(); }, QKeySequence(),
         kMenuCheckable | kMenuToggled},
        {"&View"},
        {"&View", "goToNode", "&Go to Node", [this] { links_->GoToNode(); }, Qt::Key_F12},
        {"&View", "back", "&Back", [this] { links_->Back(); }, Qt::ALT | Qt::Key_Left},
        {"&View", "forward", "&Forward", [this] { links_->Forward(); }, Qt::ALT | Qt::Key_Right},
        {"&View", "linksToNode", "&Links to This Node", [this] { links_->ShowLinksToNode(); },
         Qt::SHIFT | Qt::Key_F12},
        {"&Search", "find", "&Find...", [this] { find_->Find(false); }, QKeySequence::Find},
        {"&Search", "findNext", "Find &Next", [this] { find_->FindNext(true); }, Qt::Key_F3},
        {"&Search", "findPrevious", "Find &Previous", [this] { find_->FindNext(false); },
         Qt::SHIFT | Qt::Key_F3},
        {"&Search", "findAll", "Find in &All Open Dialogues", [this] { find_->Find(true); },
         Qt::CTRL | Qt::SHIFT | Qt::Key_F},
        {"&Search"},
        {"&Search", "showFindBar", "Find &Bar", [this] { find_->ShowBar(); }, QKeySequence(),
         kMenuCheckable},
        {"&Help", "about", "&About", [this] { ShowAbout(); }},
        {nullptr, "rename", "&Rename", [this] { layout_.trees->RenameNode(); }},
        {nullptr, "clearNode", "&Clear Node", [this] { layout_.trees->ClearNode(); }},
        {nullptr, "deleteBranch", "Delete &Branch", [this] { layout_.trees->DeleteBranch(); }},
        {nullptr, "makeRoot", "&Make Root", [this] { layout_.trees->MakeRoot(); }},
        {nullptr, "addNewNode", "&Add New Node", [this] { layout_.trees->AddNewNode(); }},
        {nullptr, "testFromNode", "&Test from Selected Node", [this] { tester_->TestFromNode(); }},
    };
    menuBar_ = new QMenuBar(this);
    const std::map<std::string, QMenu*> menus = AddMenuTable(*this, *menuBar_, table, actions_);
    editMenu_ = menus.at("&Edit");
    recentMenu_ = menus.at("&File/Recent Files");
    connect(menus.at("&File"), &QMenu::aboutToShow, this,
            [this] { files_->FillRecentMenu(*recentMenu_); });
}

void CTalkwrightDlg::ShowAbout() {
    CAboutDlg dialog(this);
    runDialog_(dialog);
}

void CTalkwrightDlg::AddUndoActions() {
    QAction* undo = documents_.UndoGroup().createUndoAction(this, "&Undo");
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = documents_.UndoGroup().createRedoAction(this, "&Redo");
    redo->setShortcuts({QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                        QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)});
    undo->setObjectName("undo");
    redo->setObjectName("redo");
    for (QAction* action : {undo, redo}) {
        action->setShortcutContext(Qt::WindowShortcut);
        actions_[action->objectName().toStdString()] = action;
    }
}

// Rename, Clear Node, Delete Branch, Make Root and the test from a node need a node other than
// the initialization node; Make Root one that is not already at the top.
void CTalkwrightDlg::UpdateNodeActions() {
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
    PopUpMenu(*this,
              {"rename", "clearNode", "deleteBranch", "makeRoot", "addNewNode", "testFromNode", "",
               "linksToNode"},
              actions_, at);
}

void CTalkwrightDlg::ShowListMenu(EnhancedListCtrl& list, const QPoint& pos) {
    if (QTreeWidgetItem* hit = list.itemAt(pos)) {
        list.setCurrentItem(hit);
    }
    PopUpMenu(*this, {"goToNode"}, actions_, list.viewport()->mapToGlobal(pos));
}

}  // namespace tw
