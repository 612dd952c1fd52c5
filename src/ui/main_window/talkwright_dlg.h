#pragma once

// The editor's main window: it lays out the parts (the node tree, the node editor, find and
// the Problems pane), builds the menus and wires each command to one document operation or
// one dialog. The documents, their histories and everything else per document live in the
// documents; the commands live in small objects grouped by purpose.

#include <map>
#include <string>

#include "ui/controls/resizing_dialog.h"
#include "ui/dialogs/editing_dialog.h"
#include "ui/document/document_manager.h"
#include "ui/main_window/file_menu_commands.h"
#include "ui/main_window/main_window_layout.h"
#include "ui/main_window/tester_commands.h"

class QAction;
class QMenu;
class QMenuBar;

namespace tw {

class EnhancedListCtrl;
class ExploreCommand;
class ExportCommands;
class FindCommands;
class LinkCommands;
class NpcCommands;
class ViewCommands;

class CTalkwrightDlg : public CResizingDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 102;
    static constexpr const char* kTitle = "Vorunda Dialogue Editor";

    explicit CTalkwrightDlg(PlatformServices& services, QWidget* parent = nullptr);
    ~CTalkwrightDlg() override;

    // The File menu. Opening a file that is already open shows its tab.
    bool OpenDialogueFile(const std::string& path) { return files_->OpenDialogueFile(path); }
    void OnNewDialogue() { files_->NewDialogue(); }
    void OnOpen() { files_->Open(); }
    void OnCloseDialogue() { files_->CloseDialogue(); }
    void OnSave() { files_->Save(); }
    void OnSaveAs() { files_->SaveAs(); }
    void OnSaveAll() { files_->SaveAll(); }
    // Shut-down: the save questions, then the window ends. False when the user stayed.
    bool OnQuit();

    DocumentManager& Documents() { return documents_; }
    // What the tests the window starts play with (see TesterCommands).
    PartySettings& Party() { return tester_->Party(); }
    void SetRandomSource(RandomSource& random) { tester_->SetRandomSource(random); }
    RandomSource* Random() const { return tester_->Random(); }
    void SetStartupDirectory(std::string directory) {
        tester_->SetStartupDirectory(std::move(directory));
    }
    // Every dialog the window and its parts open runs through this; tests drive the dialogs
    // with it.
    void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

protected:
    // Escape and the close box both come here; they act as Quit.
    void reject() override;

private:
    void MakeCommands();
    void ConnectParts();
    void ConnectExplore();
    void WatchDocument(EditorDocument& document);
    void ShowCurrentDocument();
    // The tabs, the title and the NPC box show each document's name and modified mark.
    void ShowNames();
    std::string ProfileSection() const;
    void EndWindow();
    // Menus (talkwright_dlg_menus.cpp).
    void SetupMenus();
    void AddUndoActions();
    void UpdateNodeActions();
    void ShowNodeMenu(const QPoint& at);
    void ShowListMenu(EnhancedListCtrl& list, const QPoint& pos);
    void ShowAbout();

    DocumentManager documents_;
    DialogRunner runDialog_ = RunModal;
    MainWindowLayout layout_;
    std::map<std::string, QAction*> actions_;
    QMenuBar* menuBar_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    NpcCommands* npc_ = nullptr;
    FileMenuCommands* files_ = nullptr;
    TesterCommands* tester_ = nullptr;
    ExploreCommand* explore_ = nullptr;
    ExportCommands* export_ = nullptr;
    LinkCommands* links_ = nullptr;
    FindCommands* find_ = nullptr;
    ViewCommands* view_ = nullptr;
};

}  // namespace tw
