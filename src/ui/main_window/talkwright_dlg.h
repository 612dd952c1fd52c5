#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/check/check_finding.h"
#include "model/check/dialogue_check_cache.h"
#include "model/check/selection_history.h"
#include "model/editing/link_retarget.h"
#include "tester/party_settings.h"
#include "ui/controls/resizing_dialog.h"
#include "ui/dialogs/editing_dialog.h"
#include "ui/main_window/document_set.h"
#include "ui/main_window/file_commands.h"
#include "ui/main_window/find_run.h"
#include "ui/main_window/parked_trees.h"
#include "ui/main_window/recent_files.h"
#include "ui/main_window/undo/document_history.h"

class QAction;
class QLabel;
class QLineEdit;
class QTimer;
class QMenu;
class QMenuBar;
class QPushButton;
class QSplitter;
class QTabBar;
class QTimer;
class QTreeWidgetItem;
class QUndoCommand;

namespace tw {

class CStyleEditCtrl;
class EnhancedListCtrl;
class EnhancedTreeCtrl;
class FindBar;
class NodeCommand;
class NodeResponse;
class ProblemsPane;
class RandomSource;
struct NPCData;

// True for a tree item that stands for a node other than the initialization node.
bool IsPlainNodeItem(const QTreeWidgetItem* item);

// The editor's main window: one tab per open dialogue, the node tree of the current one,
// and the selected node's text, comments, commands and responses. It owns the open
// documents; the decisions of its File menu live in FileCommands and DocumentSet.
class CTalkwrightDlg : public CResizingDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 102;
    static constexpr const char* kTitle = "Vorunda Dialogue Editor";

    explicit CTalkwrightDlg(PlatformServices& services, QWidget* parent = nullptr);
    ~CTalkwrightDlg() override;

    // Opens a dialogue file, or shows the tab of the one already open for it.
    bool OpenDialogueFile(const std::string& path);
    void OnNewDialogue();
    void OnOpen();
    void OnCloseDialogue();
    void OnSave();
    void OnSaveAs();
    void OnSaveAll();
    // Shut-down: the save questions, then the window ends. False when the user stayed.
    bool OnQuit();
    void OnRecentFile(std::size_t index);
    // The editing buttons and Help > About (talkwright_dlg_edit_commands.cpp).
    void OnAddCommand();
    void OnEditCommand();
    void OnAddResponse();
    void OnEditResponse();
    void OnEditNpcComments();
    void OnEditNpcProperties();
    void OnAbout();
    // The Edit menu (talkwright_dlg_clipboard.cpp): commands first, then responses, then
    // the node-text box.
    void OnCut();
    void OnCopy();
    void OnPaste();
    void OnDelete();
    void OnSelectAll();
    void OnDeleteCommand();
    void OnDeleteResponse();
    // The clipboard keys of the lists, each list for its own kind.
    void CopyCommands();
    void CopyResponses();
    void PasteCommands();
    void PasteResponses();
    // The node menu and the tree commands (talkwright_dlg_node_menu.cpp).
    void OnRenameNode();
    std::vector<RetargetedRow> LinksToCarry(const std::string& from, const std::string& to);
    void OnClearNode();
    void OnDeleteBranch();
    void OnMakeRoot();
    void OnAddNewNode();
    void OnSortAll(bool ascending);
    void OnSortBranch(bool ascending);
    void OnExpandCollapseAll();
    // Fills the node menu for the selected item, with its enabling rules.
    void FillNodeMenu(QMenu& menu);
    // Export and Batch Export (talkwright_dlg_export.cpp).
    void OnExport();
    void OnBatchExport();
    // The undo history of the open documents (talkwright_dlg_undo.cpp).
    DocumentHistory& History() { return history_; }
    QMenu* EditMenu() const { return editMenu_; }
    // Every dialog the window opens runs through this; tests drive the dialogs with it.
    void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    void RefreshTitle();
    void RefreshModifiedMarks();
    void RebuildView();
    void RefreshSelection();
    void AddCommandRow(int index, const NodeCommand& command);
    void AddResponseRow(int index, const NodeResponse& response);

    // New asks for the NPC's data through this; until the NPC dialog exists it is a no-op.
    void SetNpcDataEditor(std::function<void(NPCData&)> editor) {
        editNpcData_ = std::move(editor);
    }

    DocumentSet& Documents() { return documents_; }
    // The party every test of every open document plays with, kept for the whole run.
    PartySettings& Party() { return party_; }
    // The application's random numbers, for the tests the window starts; none until the
    // application hands them over.
    void SetRandomSource(RandomSource& random) { random_ = &random; }
    RandomSource* Random() const { return random_; }
    // Where the tester looks for the default state file: the directory the program
    // started in.
    void SetStartupDirectory(std::string directory) { startupDirectory_ = std::move(directory); }
    // "Edit Party Settings": the party dialog on Party().
    void OnEditPartySettings();
    // "Test Dialogue": the compile window, then, when it ends with OK, the tester window.
    void OnTestDialogue();
    // The Problems pane and following links (talkwright_dlg_problems.cpp,
    // talkwright_dlg_links.cpp).
    void OnCheckDialogue();
    void OnGoToNode();
    void OnBack();
    void OnForward();
    void OnLinksToNode();
    // Selects the node and, in its list, the command or response row.
    void SelectNodeRow(std::int32_t nodeId, ItemKind item, std::size_t index);
    ProblemsPane* Problems() const { return problems_; }
    QLabel* StatusText() const { return status_; }
    // The check runs this long after the last change.
    static constexpr int kCheckDelayMs = 400;
    // "Test from Selected Node": as "Test Dialogue", with the run entering the selected node
    // once the initialization node's commands have prepared the environment.
    void OnTestFromSelectedNode();
    // The "Search" menu: Ctrl+F shows the find bar over the current dialogue, Ctrl+Shift+F
    // over every open one; F3 and Shift+F3 go to the next and the previous result.
    void OnFind(bool allDialogues);
    void OnFindNext(bool forward);
    // Escape in the bar, its close button or Search > Find Bar: the bar goes away.
    void HideFind();
    FindBar* Find() const { return findBar_; }
    const RecentFileList& RecentFiles() const { return recent_; }
    EnhancedTreeCtrl* Tree() const { return tree_; }
    EnhancedListCtrl* CommandList() const { return commands_; }
    EnhancedListCtrl* ResponseList() const { return responses_; }
    CStyleEditCtrl* NodeText() const { return nodeText_; }
    QLineEdit* Comments() const { return comments_; }
    QLineEdit* NpcName() const { return npcName_; }
    QTabBar* Tabs() const { return tabs_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    QMenu* RecentFilesMenu() const { return recentMenu_; }
    // The button with the given resource id (1002 to 1117), or none.
    QPushButton* Button(int id) const;

protected:
    // Escape and the close box both come here; they act as Quit.
    void reject() override;

private:
    void SetupMenus();
    QMenu* SetupFileMenu();
    QMenu* SetupEditMenu();
    QMenu* SetupSortMenu();
    QMenu* SetupViewMenu();
    QWidget* SetupProblemsPane();
    void ConnectLinks();
    void ScheduleCheck();
    void MarkCheckedNode(Dialogue& document, std::int32_t nodeId);
    void AddLinkActions(QMenu& menu, bool onTree);
    void ShowListMenu(EnhancedListCtrl& list, const QPoint& pos);
    QWidget* SetupTopRow();
    QWidget* SetupNodeColumn();
    QWidget* SetupListColumn();
    QSplitter* SetupBody();
    void SetupLayout();
    void RestoreSplitters();
    void SaveSplitters();
    void SetupTabOrder();
    void SetupKeyboardAndNames();
    void SetupUndo(QMenu* edit);
    void RouteUndoKeys();
    void SetupListKeys();
    void ShowNodeTextMenu();
    void SetupTree();
    void SetupLists();
    void SetupNodeText();
    void ConnectControls();
    void ConnectEditCommands();
    void EditNpcData(NPCData& npc);
    // The one selected row of a list, or -1 after telling the writer to select one.
    int SingleSelectedRow(const EnhancedListCtrl& list);
    void ShowNodeMenu(const QPoint& pos);
    void WatchNodeMenuReason();
    QPushButton* MakeButton(int id, const QString& caption);

    void OnTabChanged(int index);
    void ShowDocument(std::size_t index);
    void ShowCurrentDocument();
    // Tab switches keep the tree items of the document left (talkwright_dlg_tabs.cpp).
    void ParkShownTree();
    bool ShowParkedDocument();
    void SyncTabs();
    void ClearViews();
    void FillRecentMenu();
    void AfterSave();
    void EndWindow();

    DialogueNode* SelectedNode();
    void RunTestFrom(DialogueNode* start);
    QWidget* SetupFindBar();
    QMenu* SetupSearchMenu();
    void ShowFindBarWithRoom();
    void StartFind(bool allDialogues);
    void RestartRunningFind();
    void SearchSlice();
    void GoToFindResult(int row);
    bool SelectTreeNode(std::int32_t id);
    void ShowFoundField(const SearchMatch& match);
    void SelectFoundText(const SearchMatch& match);
    // The node whose commands and responses the lists show. An edit still open in a list
    // may end after the selection has moved on, and then belongs to this node.
    DialogueNode* ListedNode();
    void ShowNode(DialogueNode& node);
    void EnableNodeText(bool enabled);
    void WriteBackNodeText();
    void WriteBackComments();
    void OnTreeDrop(QTreeWidgetItem* dragged, QTreeWidgetItem* target);
    void OnCommandMoved(int from, int to);
    void OnResponseMoved(int from, int to);
    void OnResponseEdited(int row, QString& text);
    // Runs a change as an undoable step of the shown document. A quiet step changes only
    // the model: the control it came from already shows it.
    void Apply(QUndoCommand* step, bool quiet = false);
    void StepApplied(Dialogue& document, std::int32_t nodeId, ViewScope scope,
                     DialogueNode* changed);
    // A change to the tree shown: in the changed branch's items alone, or, where they do
    // not match the document, by filling the tree again (talkwright_dlg_tree_changes.cpp).
    void ShowBranchChange(Dialogue& document, std::int32_t nodeId, ViewScope scope,
                          DialogueNode& changed);
    void ShowWholeTree(Dialogue& document, std::int32_t nodeId);
    bool SelectNodeItem(std::int32_t nodeId);
    QTreeWidgetItem* ItemOfNode(std::int32_t nodeId) const;
    std::vector<std::size_t> SelectedCommandIndices() const;
    std::vector<std::size_t> SelectedResponseIndices();
    void RemoveSelectedCommands(const QString& stepName);
    void RemoveSelectedResponses(const QString& stepName);
    bool ExportTo(const Dialogue& document, const std::string& path);

    DocumentHistory history_;
    bool quietStep_ = false;
    bool expandedAll_ = false;
    QMenu* editMenu_ = nullptr;
    FileCommands files_;
    RecentFileList recent_;
    DocumentSet documents_;
    ParkedTrees parkedTrees_;
    PartySettings party_;
    RandomSource* random_ = nullptr;
    std::string startupDirectory_;
    std::function<void(NPCData&)> editNpcData_;
    DialogRunner runDialog_ = RunModal;
    // The document whose nodes the tree shows; none while the tree is empty.
    Dialogue* shownDocument_ = nullptr;
    // Set while the window writes into its own boxes, so their change signals do not
    // write back into the model.
    bool filling_ = false;
    int listedNodeId_ = -1;
    int timerId_ = 0;

    QMenuBar* menuBar_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QSplitter* halves_ = nullptr;
    QSplitter* panes_ = nullptr;
    FindBar* findBar_ = nullptr;
    QAction* findShown_ = nullptr;
    QPointer<QWidget> focusBeforeFind_;
    QList<int> panesBeforeFind_;
    QTimer* findTimer_ = nullptr;
    std::shared_ptr<FindRun> findRun_;
    std::vector<FoundMatch> findResults_;
    int findCurrent_ = -1;
    bool findAll_ = false;
    bool findNavigating_ = false;
    QLineEdit* npcName_ = nullptr;
    EnhancedTreeCtrl* tree_ = nullptr;
    CStyleEditCtrl* nodeText_ = nullptr;
    QLineEdit* comments_ = nullptr;
    EnhancedListCtrl* commands_ = nullptr;
    EnhancedListCtrl* responses_ = nullptr;
    std::map<int, QPushButton*> buttons_;
    ProblemsPane* problems_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* checkTimer_ = nullptr;
    DialogueCheckCache checkCache_;
    SelectionHistory selectionHistory_;
    bool walkingHistory_ = false;
};

}  // namespace tw
