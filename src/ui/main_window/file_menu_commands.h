#pragma once

// The File menu's commands on the open documents: New, Open and the recent files, Close and
// the saves. The decisions and messages behind them are FileCommands'.

#include <QObject>
#include <string>

#include "ui/main_window/file_commands.h"
#include "ui/main_window/recent_files.h"

class QMenu;

namespace tw {

class DocumentManager;
class NpcCommands;

class FileMenuCommands : public QObject {
    Q_OBJECT

public:
    FileMenuCommands(DocumentManager& documents, PlatformServices& services, NpcCommands& npc,
                     QObject& window);

    FileCommands& Files() { return files_; }

    // Opening a file that is already open shows its tab.
    bool OpenDialogueFile(const std::string& path);
    // New asks for the NPC's data first.
    void NewDialogue();
    void Open();
    void CloseDialogue();
    void Save();
    void SaveAs();
    void SaveAll();
    // Refills the Recent Files menu from the list.
    void FillRecentMenu(QMenu& menu);

signals:
    // Every document was marked saved: the tabs and the title show it.
    void saved();

private:
    void OpenRecent(std::size_t index);
    void AfterSave();

    FileCommands files_;
    RecentFileList recent_;
    DocumentManager& documents_;
    NpcCommands& npc_;
};

}  // namespace tw
