#pragma once

// The editor's main window: it lays out the parts (the node tree, the node editor, find and
// the Problems pane), builds the menus and wires each command to one document operation or
// one dialog. The documents, their histories and everything else per document live in the
// documents; the window keeps none of it.

#include <QList>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "model/check/check_finding.h"
#include "tester/party_settings.h"
#include "ui/controls/resizing_dialog.h"
#include "ui/dialogs/editing_dialog.h"
#include "ui/document/document_manager.h"
#include "ui/main_window/file_commands.h"
#include "ui/main_window/recent_files.h"

class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class QSplitter;
class QTabBar;

namespace tw {

class EnhancedListCtrl;
class FindBar;
class FindPart;
class MapView;
class NodeEditor;
class NodeTreePart;
class ProblemsView;
class ExploreCommand;
class RandomSource;
struct NPCData;

class CTalkwrightDlg : public CResizingDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 102;
    static constexpr const char* kTitle = "Vorunda Dialogue Editor";

    explicit CTalkwrightDlg(PlatformServices& services, QWidget* parent = nullptr);
    ~CTalkwrightDlg() override;

    // The File menu. Opening a file that is already open shows its tab.
    bool OpenDialogueFile(const std::string& path);
    void OnNewDialogue();
    void OnOpen();
    void OnCloseDialogue();
    void OnSave();
    void OnSaveAs();
    void OnSaveAll();
    // Shut-down: the save questions, then the window ends. False when the user stayed.
    bool OnQuit();

    DocumentManager& Documents() { return documents_; }
    // The party every test of every open document plays with, kept for the whole run.
    PartySettings& Party() { return party_; }
    // The application's random numbers, for the tests the window starts; a fixed seed until
    // the application hands them over.
    void SetRandomSource(RandomSource& random) { random_ = &random; }
    RandomSource* Random() const { return random_; }
    // Where the tester looks for the default state file: the directory the program started
    // in.
    void SetStartupDirectory(std::string directory) { startupDirectory_ = std::move(directory); }
    // Every dialog the window and its parts open runs through this; tests drive the dialogs
    // with it.
    void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

protected:
    // Escape and the close box both come here; they act as Quit.
    void reject() override;

private:
    // Layout (talkwright_dlg.cpp).
    void SetupLayout();
    QWidget* SetupTopRow();
    QWidget* SetupNodeColumn();
    QWidget* SetupListColumn();
    QSplitter* SetupBody();
    void SetupTabOrder();
    void RestoreSplitters();
    void SaveSplitters();
    QPushButton* MakeButton(int id, const QString& caption);
    // Wiring (talkwright_dlg.cpp).
    void ConnectParts();
    void ShowCurrentDocument();
    void WatchDocument(EditorDocument& document);
    void SyncTabs();
    void RefreshTitle();
    void SelectNodeRow(std::int32_t nodeId, ItemKind item, std::size_t index);
    void EndWindow();
    // Menus (talkwright_dlg_menus.cpp).
    QAction* AddAction(const char* name, const QString& caption, std::function<void()> run,
                       const QKeySequence& key = {});
    void SetupActions();
    void SetupMenus();
    QMenu* SetupFileMenu();
    QMenu* SetupEditMenu();
    QMenu* SetupSortMenu();
    QMenu* SetupViewMenu();
    QMenu* SetupSearchMenu();
    void FillRecentMenu();
    void UpdateNodeActions();
    void ShowNodeMenu(const QPoint& at);
    void ShowListMenu(EnhancedListCtrl& list, const QPoint& pos);
    // Find (talkwright_dlg_menus.cpp).
    void OnFind(bool allDialogues);
    void OnFindNext(bool forward);
    void HideFind();
    void ShowFindBarWithRoom();
    // Files (talkwright_dlg_files.cpp).
    void OnRecentFile(std::size_t index);
    void AddDocument(std::unique_ptr<EditorDocument> document);
    void AfterSave();
    // The other commands (talkwright_dlg_commands.cpp).
    void OnEditNpcComments();
    void OnEditNpcProperties();
    void EditNpcData(NPCData& npc);
    void OnAbout();
    void OnEditPartySettings();
    void OnTestDialogue(bool fromCurrentNode);
    std::optional<std::filesystem::path> DefaultStateFile() const;
    void ConnectExplore();
    void OnExport();
    void OnBatchExport();
    void OnGoToNode();
    void OnBack(bool back);
    void OnLinksToNode();
    // The map (talkwright_dlg_map.cpp).
    QWidget* SetupTreeAndMap();
    void ConnectMap();
    void OnExportMap();

    FileCommands files_;
    RecentFileList recent_;
    DocumentManager documents_;
    PartySettings party_;
    RandomSource* random_ = nullptr;
    std::string startupDirectory_;
    DialogRunner runDialog_ = RunModal;

    std::map<std::string, QAction*> actions_;
    QMenuBar* menuBar_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QLineEdit* npcName_ = nullptr;
    std::map<int, QPushButton*> buttons_;
    NodeTreePart* trees_ = nullptr;
    NodeEditor* editor_ = nullptr;
    ProblemsView* problems_ = nullptr;
    ExploreCommand* explore_ = nullptr;
    MapView* map_ = nullptr;
    FindBar* findBar_ = nullptr;
    FindPart* find_ = nullptr;
    QSplitter* halves_ = nullptr;
    QSplitter* panes_ = nullptr;
    QPointer<QWidget> focusBeforeFind_;
    QList<int> panesBeforeFind_;
};

}  // namespace tw
