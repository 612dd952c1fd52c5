// The File menu of the main window: documents are created, opened, saved and closed here.

#include <QMenu>

#include "model/dialogue.h"
#include "ui/document/file_identity.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/views/node_editor.h"

namespace tw {

// A document that cannot be loaded is dropped before it could replace anything.
bool CTalkwrightDlg::OpenDialogueFile(const std::string& path) {
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

// New asks for the NPC's data first.
void CTalkwrightDlg::OnNewDialogue() {
    auto dialogue = std::make_unique<Dialogue>();
    dialogue->SetScratch(false);
    EditNpcData(dialogue->Npc());
    documents_.Add(std::make_unique<EditorDocument>(std::move(dialogue)));
}

void CTalkwrightDlg::OnOpen() {
    if (std::optional<std::string> path = files_.ChooseDialogueToOpen()) {
        OpenDialogueFile(*path);
    }
}

void CTalkwrightDlg::OnCloseDialogue() {
    if (files_.ConfirmClose(documents_.Current())) {
        documents_.Remove(documents_.CurrentIndex());
    }
}

void CTalkwrightDlg::AfterSave() {
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        documents_.At(i).MarkSaved();
    }
    SyncTabs();
    RefreshTitle();
    files_.RememberWorkingDirectory();
}

void CTalkwrightDlg::OnSave() {
    EditorDocument& document = documents_.Current();
    if (files_.Save(document)) {
        recent_.Add(document.Path());
    }
    AfterSave();
}

void CTalkwrightDlg::OnSaveAs() {
    EditorDocument& document = documents_.Current();
    if (files_.SaveAs(document)) {
        recent_.Add(document.Path());
    }
    AfterSave();
}

void CTalkwrightDlg::OnSaveAll() {
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        files_.Save(documents_.At(i));
    }
    AfterSave();
}

bool CTalkwrightDlg::OnQuit() {
    if (!files_.ConfirmShutdown(documents_)) {
        return false;
    }
    EndWindow();
    return true;
}

void CTalkwrightDlg::OnRecentFile(std::size_t index) {
    if (index >= recent_.Entries().size()) {
        return;
    }
    const std::string path = recent_.Entries()[index];
    if (!OpenDialogueFile(path)) {
        recent_.Remove(path);
    }
}

}  // namespace tw
