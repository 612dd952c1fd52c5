#include "ui/main_window/file_menu_commands.h"

#include <QDir>
#include <QMenu>

#include "model/dialogue.h"
#include "ui/document/document_manager.h"
#include "ui/document/file_identity.h"
#include "ui/main_window/npc_commands.h"
#include "ui/platform/text_codec.h"

namespace tw {

FileMenuCommands::FileMenuCommands(DocumentManager& documents, PlatformServices& services,
                                   NpcCommands& npc, QObject& window)
    : QObject(&window), files_(services), recent_(services), documents_(documents), npc_(npc) {}

// A document that cannot be loaded is dropped before it could replace anything.
bool FileMenuCommands::OpenDialogueFile(const std::string& path) {
    files_.RememberWorkingDirectory();
    if (std::optional<std::size_t> open = documents_.FindFile(path)) {
        documents_.SetCurrent(*open);
        return true;
    }
    auto dialogue = std::make_unique<Dialogue>();
    const std::string absolute = AbsolutePath(path);
    if (!files_.Load(*dialogue, absolute)) {
        return false;
    }
    documents_.Add(std::make_unique<EditorDocument>(std::move(dialogue)));
    recent_.Add(absolute);
    return true;
}

void FileMenuCommands::NewDialogue() {
    auto dialogue = std::make_unique<Dialogue>();
    dialogue->SetScratch(false);
    npc_.EditNpcData(dialogue->Npc());
    documents_.Add(std::make_unique<EditorDocument>(std::move(dialogue)));
}

void FileMenuCommands::Open() {
    if (std::optional<std::string> path = files_.ChooseDialogueToOpen()) {
        OpenDialogueFile(*path);
    }
}

void FileMenuCommands::CloseDialogue() {
    if (files_.ConfirmClose(documents_.Current())) {
        documents_.Remove(documents_.CurrentIndex());
    }
}

void FileMenuCommands::AfterSave() {
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        documents_.At(i).MarkSaved();
    }
    emit saved();
    files_.RememberWorkingDirectory();
}

void FileMenuCommands::Save() {
    EditorDocument& document = documents_.Current();
    if (files_.Save(document)) {
        recent_.Add(document.Path());
    }
    AfterSave();
}

void FileMenuCommands::SaveAs() {
    EditorDocument& document = documents_.Current();
    if (files_.SaveAs(document)) {
        recent_.Add(document.Path());
    }
    AfterSave();
}

void FileMenuCommands::SaveAll() {
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        files_.Save(documents_.At(i));
    }
    AfterSave();
}

void FileMenuCommands::FillRecentMenu(QMenu& menu) {
    menu.clear();
    const std::vector<std::string>& entries = recent_.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QString caption = QString("&%1 %2").arg(i + 1).arg(
            QDir::toNativeSeparators(FromPath(entries[i])).replace("&", "&&"));
        connect(menu.addAction(caption), &QAction::triggered, this, [this, i] { OpenRecent(i); });
    }
    menu.setEnabled(!entries.empty());
}

// A recent file that can no longer be opened leaves the list.
void FileMenuCommands::OpenRecent(std::size_t index) {
    if (index >= recent_.Entries().size()) {
        return;
    }
    const std::string path = recent_.Entries()[index];
    if (!OpenDialogueFile(path)) {
        recent_.Remove(path);
    }
}

}  // namespace tw
