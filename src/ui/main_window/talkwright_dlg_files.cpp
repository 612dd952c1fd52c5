// The File menu of the main window: documents are created, opened, saved and closed here.

#include <QAction>
#include <QDir>
#include <QMenu>

#include "model/dialogue.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/main_window/file_identity.h"
#include "ui/main_window/node_tree_view.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/platform/text_codec.h"

namespace tw {

// A document that cannot be loaded is dropped before it could replace anything.
bool CTalkwrightDlg::OpenDialogueFile(const std::string& path) {
    files_.RememberWorkingDirectory();
    if (std::optional<std::size_t> open = documents_.FindFile(path)) {
        ShowDocument(*open);
        return true;
    }
    auto document = std::make_unique<Dialogue>();
    const std::string absolute = AbsolutePath(path);
    if (!files_.Load(*document, absolute)) {
        return false;
    }
    if (shownDocument_ != nullptr) {
        ParkShownTree();
    }
    ClearViews();
    documents_.Add(std::move(document));
    recent_.Add(absolute);
    ShowCurrentDocument();
    return true;
}

void CTalkwrightDlg::OnNewDialogue() {
    if (shownDocument_ != nullptr) {
        ParkShownTree();
    }
    ClearViews();
    auto document = std::make_unique<Dialogue>();
    document->SetScratch(false);
    Dialogue& added = documents_.At(documents_.Add(std::move(document)));
    if (editNpcData_) {
        editNpcData_(added.Npc());
    }
    ShowCurrentDocument();
}

void CTalkwrightDlg::OnOpen() {
    if (std::optional<std::string> path = files_.ChooseDialogueToOpen()) {
        OpenDialogueFile(*path);
    }
}

void CTalkwrightDlg::OnCloseDialogue() {
    if (!files_.ConfirmClose(documents_.Current())) {
        return;
    }
    ClearViews();
    documents_.Remove(documents_.CurrentIndex());
    ShowCurrentDocument();
}

void CTalkwrightDlg::AfterSave() {
    for (std::size_t i = 0; i < documents_.Count(); ++i) {
        history_.MarkSavedIfClean(documents_.At(i));
    }
    SyncTabs();
    RefreshTitle();
    files_.RememberWorkingDirectory();
}

void CTalkwrightDlg::OnSave() {
    Dialogue& document = documents_.Current();
    if (files_.Save(document)) {
        recent_.Add(document.GetPath());
    }
    AfterSave();
}

void CTalkwrightDlg::OnSaveAs() {
    Dialogue& document = documents_.Current();
    if (files_.SaveAs(document)) {
        recent_.Add(document.GetPath());
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

void CTalkwrightDlg::reject() {
    OnQuit();
}

void CTalkwrightDlg::EndWindow() {
    SaveSplitters();
    ClearViews();
    parkedTrees_.Clear();
    documents_.Clear();
    if (timerId_ != 0) {
        killTimer(timerId_);
        timerId_ = 0;
    }
    done(QDialog::Accepted);
}

// A recent file that can no longer be opened leaves the list.
void CTalkwrightDlg::OnRecentFile(std::size_t index) {
    if (index >= recent_.Entries().size()) {
        return;
    }
    const std::string path = recent_.Entries()[index];
    if (!OpenDialogueFile(path)) {
        recent_.Remove(path);
    }
}

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

}  // namespace tw
